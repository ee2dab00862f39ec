#include "htmlmemdoc/pages/page/page_references.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/pages/page/page_file.h"

namespace {

// Every place a page names a file, in page order, with where it stands:
// its line and column in the page (each frame its own) and in its markup.
TEST(PageReferencesTest, FindsEveryReferenceInPageOrder) {
  htmlmemdoc::PageFile page;
  page.text =
      "<html><head><script src=\"menu.js\"></script>"
      "<style>\n.k{ background:url('k.gif'); }\n</style></head>\n"
      "<bgsound src=\"tune.mid\">\n"
      "<frameset cols=\"*,*\"><frame src=\"a.htm\"><frame src='b.htm'>"
      "</frameset>\n"
      "<body background=\"back.jpg\" "
      "onLoad=\"MM_preloadImages('x/a.gif','#x','a.gif')\">\n"
      "<div id=\"T\"><p><a href=\"p.htm\">p</a><a href=p2.htm>q</a>"
      "<a href=\"\">e</a></p>\n<table background=\"t.gif\"></table></div>\n"
      "<div id=\"I\" style=\"background-image:url(bg.gif)\"><img "
      "src=\"i.gif\"></div>\n"
      "<div id=\"V\"><img dynsrc=\"v.avi\" src=\"v.gif\"></div>\n"
      "<div id=\"E\"><embed src=\"e.swf\"></div>\n"
      "<div id=\"S\"><a onMouseOver=\"MM_swapImage('S','','s/o.gif',1)\" "
      "style=\"background: url( u.png )\"><img src=\"s.gif\"></a></div>\n"
      "<div id=\"Q\"><a onMouseOut=\"MM_swapImage(&quot;Q&quot;,&quot;&quot;,"
      "&quot;q&amp;r.gif&quot;,1)\">q</a></div>\n"
      "</body></html>";
  CHtmlMemDoc document;
  ASSERT_TRUE(htmlmemdoc::LoadPage(page, document));
  std::string found;
  for (const auto& r : htmlmemdoc::FindReferences(document, page.text)) {
    const std::string markup = static_cast<const char*>(*r.holder);
    found += std::to_string(r.line) + ":" + std::to_string(r.column) + " " +
             r.element + " " + r.id + " <" + r.tag + " " + r.attribute + "> " +
             r.value + " " +
             (r.quote == 0 ? std::string("none") : std::string(1, r.quote)) +
             " " +
             (r.at == std::string::npos  // read from its references
                  ? "-"
                  : markup.substr(r.at - 1, r.value.size() + 1)) +
             "\n";
  }
  EXPECT_EQ(
      "1:26 script  <script src> menu.js \" \"menu.js\n"
      "2:21 style rule  <style style> k.gif \" 'k.gif\n"
      "4:15 background sound  <bgsound src> tune.mid \" \"tune.mid\n"
      "5:34 frame  <frame src> a.htm \" \"a.htm\n"
      "5:53 frame  <frame src> b.htm ' 'b.htm\n"
      "6:19 body  <body background> back.jpg \" \"back.jpg\n"
      "6:55 body  <body onload> x/a.gif \" 'x/a.gif\n"
      "6:70 body  <body onload> a.gif \" 'a.gif\n"
      "7:25 text layer T <a href> p.htm \" \"p.htm\n"
      "7:45 text layer T <a href> p2.htm none =p2.htm\n"
      "8:20 text layer T <table background> t.gif \" \"t.gif\n"
      "9:60 image layer I <img src> i.gif \" \"i.gif\n"
      "9:41 image layer I <div style> bg.gif \" (bg.gif\n"
      "10:26 video layer V <img dynsrc> v.avi \" \"v.avi\n"
      "10:38 video layer V <img src> v.gif \" \"v.gif\n"
      "11:25 embed layer E <embed src> e.swf \" \"e.swf\n"
      "12:50 image layer S <a onmouseover> s/o.gif \" 's/o.gif\n"
      "12:87 image layer S <a style> u.png \"  u.png\n"
      "12:106 image layer S <img src> s.gif \" \"s.gif\n"
      "13:28 plain layer Q <a onmouseout> q&r.gif \" -\n",
      found);
}

}  // namespace
