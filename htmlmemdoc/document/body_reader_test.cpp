#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/support.h"

namespace {

TEST(BodyReaderTest, FilesEachBlockByWhatItHoldsOrFailsAtTheFault) {
  struct Case {
    const char* body;  // read after "<html><body>"; its columns count from 13
    const char* want;
  };
  const Case kCases[] = {
      // The golden layers page reads blocks of every kind; here, what decides
      // a kind at the edges, and the faults.
      {"<div>\n<p>text</p><IMG src=a.gif></div>",
       "ok body=<body> image=<div>\n<p>text</p><IMG src=a.gif></div>"},
      {"<div><param name=x value=y>text</div><div><P>y</P></div>",
       "ok body=<body> text=<div><param name=x value=y>text</div>|"
       "<div><P>y</P></div>"},
      // An audio embed must be a live-audio layer, which needs "mastersound".
      {"<div><embed src=\"s.mid\" type=\"audio/midi\"></div>",
       "no body=<body> !HTML syntax error at Ln1, Col62"},
      {"<div><div><img src=in.gif></div></div>",
       "ok body=<body> image=<div><div><img src=in.gif></div></div>"},
      // Another tag goes back to the reading loop.
      {"<div>x</div><script>s</script></html>",
       "ok script=<script>s</script> body=<body> plain=<div>x</div>"},
      {"</body></html>", "ok body=<body>"},
      {"Hello</body>", "no body=<body> !HTML syntax error at Ln1, Col14"},
      {"<div>x</div x></body>",
       "no body=<body> !HTML syntax error at Ln1, Col26"},
      {"<div>x<div>y</div></body>",
       "no body=<body> !HTML syntax error at Ln1, Col18"},
      {"<!-- a > b --><div>x</div>",
       "no body=<body> !HTML syntax error at Ln1, Col23"},
      {"<!-- open", "no body=<body> !HTML syntax error at Ln1, Col23"},
      {"<p>x</p><div>y</div>",
       "no body=<body> !HTML syntax error at Ln1, Col14"},
      {"<div>x</div></body x>",
       "no body=<body> plain=<div>x</div> !HTML syntax error at Ln1, Col33"},
      {"", "no body=<body> !HTML syntax error at Ln1, Col14"},
      {"<Div>x</Div>", "no body=<body> !HTML syntax error at Ln1, Col18"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want, ReadOutline(std::string("<html><body>") + c.body))
        << c.body;
  }
  // A block the layer refuses (too long) stops the read after it.
  const std::string big = "<div>" + std::string(8200, 'x') + "</div>";
  EXPECT_EQ(
      "no body=<body> text=<div><p>a</p></div> !HTML syntax error at Ln1, "
      "Col8244",
      ReadOutline("<html><body><div><p>a</p></div>" + big));
}

}  // namespace
