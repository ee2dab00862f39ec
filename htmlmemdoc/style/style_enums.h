// style_enums.h: the keyword-valued style properties. Each enum is a 32-bit
// integer whose valid values start at 1; a setter refuses any other value.

#ifndef HTMLMEMDOC_STYLE_STYLE_ENUMS_H_
#define HTMLMEMDOC_STYLE_STYLE_ENUMS_H_

enum HtmlTextAlign : int {
  HtmlTextAlignLeft = 1,    // "left"
  HtmlTextAlignCenter = 2,  // "center"
  HtmlTextAlignRight = 3    // "right"
};

enum HtmlPosition : int {
  HtmlPositionRelative = 1,  // "relative"
  HtmlPositionAbsolute = 2   // "absolute"
};

enum HtmlVisibility : int {
  HtmlVisibilityVisible = 1,  // "visible"
  HtmlVisibilityHidden = 2    // "hidden"
};

#endif  // HTMLMEMDOC_STYLE_STYLE_ENUMS_H_
