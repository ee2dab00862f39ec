// page_edit.h: changing a layer or the page so that nothing else changes.
// Every change goes through the library's setters; before it, values a
// page cannot hold are refused; after it, the value must read back as
// given and the element's markup, seen as a browser sees it, must differ
// only where the change meant it to (a style attribute keeping every other
// declaration it held). A change that fails leaves the document as it was.

#ifndef HTMLMEMDOC_PAGES_PAGE_PAGE_EDIT_H_
#define HTMLMEMDOC_PAGES_PAGE_PAGE_EDIT_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/refusal.h"

namespace htmlmemdoc {

struct PageEdit {
  std::string layer;  // the id of the layer's div; empty: no layer change
  std::optional<int> left, top, width, height, zIndex;  // pixels, order
  std::optional<std::string> visibility;                // "visible" or "hidden"
  std::optional<std::string> text;                      // a text layer's text
  std::optional<std::string> content;  // its content as markup (text_content.h)
  std::optional<std::string> textAlign;        // "left", "center" or "right"
  std::optional<std::string> fontFamily;       // "Verdana, Arial"
  std::optional<int> fontSize;                 // a text layer's, in points
  std::optional<std::string> color;            // "#rrggbb" or a colour name
  std::optional<std::string> src;              // an image, video or embed file
  std::optional<std::string> poster;           // a video layer's image (src)
  std::optional<std::string> id;               // a new id for the layer's div
  std::optional<std::string> background;       // the page's background image
  std::optional<std::string> backgroundColor;  // its colour: "#rrggbb", a name
  std::optional<std::string> sound;            // the page's background sound
  std::optional<std::string> title;            // the page's title
  // A frame of the page's frameset, by its place there (from 0), and what
  // changes of it: its file and the width and height its tag gives.
  std::optional<int> frame, frameWidth, frameHeight;
  std::optional<std::string> frameSrc;
  // The frameset's columns and rows ("25%,*").
  std::optional<std::string> frameCols, frameRows;
  bool noSound = false;  // remove the background sound
  // A layer made first, of this kind (page_layers.h), with the id `layer`;
  // the other changes are then the new layer's.
  std::optional<std::string> add;
  // A copy of the layer made first, with this id; the other changes are
  // then the copy's.
  std::optional<std::string> copyAs;
  bool remove = false;  // the layer is taken out of the page, alone

  bool ChangesLayer() const {
    return left || top || width || height || zIndex || visibility || text ||
           content || textAlign || fontFamily || fontSize || color || src ||
           poster || id || add || copyAs || remove;
  }
  // Whether the change is to a layer the page holds (not one it makes).
  bool NamesLayer() const { return ChangesLayer() && !add; }
};

// One property a change can set, by the one name every front end knows it
// by: the editor's JSON, the page model and the journal use `name`; the
// tool's option is `name` in lower case with dashes ("--z-index"), and
// Python's attribute in lower case with underscores ("z_index").
struct EditProperty {
  const char* name;                            // "zIndex"
  std::optional<int> PageEdit::*number;        // a number, or
  std::optional<std::string> PageEdit::*text;  // a text (the other is null)
  const char* about;                           // what it is, for help texts
};

// Every property a change can set, in the order front ends list them
// (noSound, a switch, is not one).
const std::vector<EditProperty>& EditProperties();

// The property called `name`; null when there is none.
const EditProperty* FindEditProperty(std::string_view name);

// Why `written`, a number as a person gave it that no int holds, cannot be
// set as `member` of an edit (bad-value): "left 99999999999 is out of range
// (-100000 to 100000)", as ApplyEdit says of any number out of its range,
// or "left 1.5 is not a whole number".
Refusal NumberRefusal(std::optional<int> PageEdit::*member,
                      const std::string& written);

// Sets `member` of `edit` to the number `written` as a person typed it
// ("-20", "+7"); returns no refusal when set, else NumberRefusal's.
Refusal SetNumber(PageEdit& edit, std::optional<int> PageEdit::*member,
                  const std::string& written);

// Makes every change of `edit` (layer changes need a layer of that id,
// unless the layer is made). Returns no refusal when all were made; else
// what could not be made safely and why (bad-value, no-layer, wrong-kind,
// not-exact, or in-the-way for a new layer's id that a layer has), with
// `document` as it was before the call.
Refusal ApplyEdit(CHtmlMemDoc& document, const PageEdit& edit);

// The same for a layer the caller has already found (one of `document`'s;
// `edit.layer` is then not looked up), so that layers sharing an id, or
// having none, can be told apart. `layer` may be null when `edit` names
// no layer of the page.
Refusal ApplyEdit(CHtmlMemDoc& document, CHtmlLayer* layer,
                  const PageEdit& edit);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_PAGE_EDIT_H_
