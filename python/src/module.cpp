// module.cpp: htmlmemdoc._core, the library as Python objects. A Page owns
// its document through a shared state that every layer it hands out holds
// too, so a layer keeps its page alive and never outlives its document.
// Text crosses as str: the page's bytes decode as UTF-8, a byte that is not
// UTF-8 as a lone surrogate (surrogateescape), which encodes back to the
// same byte on the way in.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <climits>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "code_page.h"
#include "convert.h"
#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/page_edit.h"
#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/page_write.h"
#include "htmlmemdoc/pages/page/read_problem.h"
#include "htmlmemdoc/pages/page/text_content.h"
#include "htmlmemdoc/pages/report/page_model.h"
#include "htmlmemdoc/pages/text/markup_view.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "site.h"

namespace py = pybind11;
using namespace htmlmemdoc_py;  // NOLINT: the binding's own helpers

namespace {

// --- pages
// --------------------------------------------------------------------

// What a layer's objects point to: the layer, or null once it is taken
// out of its page (an object of it then raises rather than touch freed
// memory).
struct LayerRef {
  CHtmlLayer* layer;
};

// A page's document is shared with its layers' objects, which any thread
// may use; one thread at a time works on it, under its mutex (recursive: a
// finalizer run while a thread holds it may come back to the same page).
struct PageState {
  CHtmlMemDoc document;
  std::string text;                   // the text read, for the write guards
  int codePage = HTMLMEMDOC_CP_UTF8;  // its bytes' from 0x80 up
  std::recursive_mutex mutex;
  // One ref per layer handed out, shared by all of its objects.
  std::unordered_map<const CHtmlLayer*, std::shared_ptr<LayerRef>> refs;
};
using State = std::shared_ptr<PageState>;

// Takes `state`'s page for this thread, and the process at the page's code
// page, with its text crossing as str in that code page. A thread that
// must wait lets go of the interpreter lock first: the holder may be
// rendering without it and need it back to finish, and other threads run
// meanwhile.
class Hold {
 public:
  explicit Hold(const State& state)
      : m_page(Locked(state->mutex)),
        m_codePage(state->codePage),
        m_codec(state->codePage) {}

 private:
  static std::unique_lock<std::recursive_mutex> Locked(
      std::recursive_mutex& mutex) {
    std::unique_lock<std::recursive_mutex> lock(mutex, std::try_to_lock);
    if (!lock.owns_lock()) {
      py::gil_scoped_release released;
      lock.lock();
    }
    return lock;
  }

  std::unique_lock<std::recursive_mutex> m_page;
  CodePageHold m_codePage;
  CodecScope m_codec;
};

Hold HoldPage(const State& state) { return Hold(state); }

[[noreturn]] void RaiseProblem(const htmlmemdoc::PageFile& file) {
  const htmlmemdoc::PageProblem& problem = file.problem;
  if (problem.kind == htmlmemdoc::PageProblem::kUnreadable)
    RaiseOSError(problem.error, problem.message, file.path);
  // A text that is no page at all has no message of the library's own.
  const std::string why = htmlmemdoc::DescribeProblem(problem);
  Raise(Error("PageSyntaxError")(
      ToStr(problem.message.empty() ? why : problem.message), problem.line,
      problem.column, ToStr(why)));
}

// Reads `file` into a new page of `codePage` with the interpreter lock
// released.
State Load(htmlmemdoc::PageFile file, int codePage) {
  if (!file.Ok()) RaiseProblem(file);
  auto state = std::make_shared<PageState>();
  state->codePage = codePage;
  const CodePageHold hold(codePage);
  const CodecScope codec(codePage);
  bool read = false;
  {
    py::gil_scoped_release released;
    read = htmlmemdoc::LoadPage(file, state->document);
  }
  if (!read) RaiseProblem(file);
  state->text = std::move(file.text);
  return state;
}

// The page file at `path`, read with the interpreter lock released; a
// signal (Ctrl+C) ends a read that waits (a fifo no one writes) with the
// signal's exception.
htmlmemdoc::PageFile ReadFile(const std::string& path) {
  htmlmemdoc::PageFile file;
  {
    py::gil_scoped_release released;
    file = htmlmemdoc::ReadPageFile(path, [] {
      py::gil_scoped_acquire acquired;
      return PyErr_CheckSignals() == 0;
    });
  }
  if (PyErr_Occurred() != nullptr) throw py::error_already_set();
  return file;
}

// Every use of a page's document holds the page (HoldPage) first.
struct Page {
  State state;
  CHtmlMemDoc& Doc() const { return state->document; }
};

// The bytes as a page file named "<string>": read as `read` reads a file,
// so both raise the same errors for the same bytes.
Page FromBytes(const std::string& bytes, int codePage) {
  return Page{Load(htmlmemdoc::PageFileOf("<string>", bytes), codePage)};
}

// --- layers
// -------------------------------------------------------------------

// Every use of a layer holds its page (HoldPage) first.
struct Layer {
  State state;  // keeps the page, and so this layer, alive
  std::shared_ptr<LayerRef> ref;

  CHtmlLayer* Get() const {
    if (ref->layer == nullptr) RaiseRemoved();
    return ref->layer;
  }
  [[noreturn]] static void RaiseRemoved();
};
struct TextLayer : Layer {};
struct ImageLayer : Layer {};
struct VideoLayer : ImageLayer {};
struct EmbedLayer : Layer {};
struct LiveAudioLayer : EmbedLayer {};

// An object of `layer`, one of the page's, of its kind's class; called
// holding the page.
py::object Wrap(const State& state, CHtmlLayer* layer) {
  std::shared_ptr<LayerRef>& ref = state->refs[layer];
  if (ref == nullptr) ref = std::make_shared<LayerRef>(LayerRef{layer});
  switch (layer->GetLayerKind()) {
    case HtmlLayerText:
      return py::cast(TextLayer{{state, ref}});
    case HtmlLayerImage:
      return py::cast(ImageLayer{{state, ref}});
    case HtmlLayerVideo:
      return py::cast(VideoLayer{{{state, ref}}});
    case HtmlLayerEmbed:
      return py::cast(EmbedLayer{{state, ref}});
    case HtmlLayerLiveAudio:
      return py::cast(LiveAudioLayer{{{state, ref}}});
    default:
      return py::cast(Layer{state, ref});
  }
}

// EditRefused, a ValueError, for a change of `property` refused.
[[noreturn]] void RaiseRefusedEdit(const char* property,
                                   const htmlmemdoc::Refusal& refusal) {
  Raise(Error("EditRefused")(ToStr(std::string(property) + ": " + refusal.why),
                             refusal.Name()));
}

void Layer::RaiseRemoved() {
  Raise(Error("EditRefused")(ToStr("the layer was taken out of its page"),
                             "no-layer"));
}

// Makes `edit` of the layer through the services layer's guarded edit, as
// the tool and the editor do: the same values are taken and refused, with
// the same reason, named after the property set.
void Change(const Layer& l, const char* property,
            const htmlmemdoc::PageEdit& edit) {
  const Hold hold = HoldPage(l.state);
  const htmlmemdoc::Refusal why =
      htmlmemdoc::ApplyEdit(l.state->document, l.Get(), edit);
  if (why) RaiseRefusedEdit(property, why);
}

// The same for a change of the page itself.
void Change(const State& state, const char* property,
            const htmlmemdoc::PageEdit& edit) {
  const Hold hold = HoldPage(state);
  const htmlmemdoc::Refusal why =
      htmlmemdoc::ApplyEdit(state->document, nullptr, edit);
  if (why) RaiseRefusedEdit(property, why);
}

// A whole number for `property` (`member` of an edit), refused as the
// guard refuses any value out of its range when it is none or no int holds it.
int WholeNumber(const py::object& value, const char* property,
                std::optional<int> htmlmemdoc::PageEdit::*member) {
  if (!py::isinstance<py::int_>(value) || py::isinstance<py::bool_>(value))
    throw py::type_error(std::string(property) + " takes a whole number");
  int overflow = 0;
  const long long number = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
  if (overflow != 0 || number < INT_MIN || number > INT_MAX) {
    RaiseRefusedEdit(property, htmlmemdoc::NumberRefusal(
                                   member, std::string(py::str(value))));
  }
  return static_cast<int>(number);
}

// A text for `property`: None is refused (these attributes cannot be
// taken away by setting them).
std::string TextOf(const py::object& value, const char* property,
                   const State& state) {
  if (!py::isinstance<py::str>(value))
    throw py::type_error(std::string(property) + " takes a str");
  const CodecScope codec(state->codePage);
  return ToBytes(value, property);
}

using IntGetter = int (CHtmlLayer::*)(int&, const char*) const;

// A pixel side or the z-index of the layer's div, as a property.
void BoxProperty(py::class_<Layer>& cls, const char* name, IntGetter get,
                 std::optional<int> htmlmemdoc::PageEdit::*member,
                 const char* doc) {
  cls.def_property(
      name,
      [get](const Layer& l) -> std::optional<int> {
        const Hold hold = HoldPage(l.state);
        int value = 0;
        if ((l.Get()->*get)(value, "div")) return value;
        return std::nullopt;
      },
      [member, name](Layer& l, const py::object& value) {
        htmlmemdoc::PageEdit edit;
        edit.*member = WholeNumber(value, name, member);
        Change(l, name, edit);
      },
      doc);
}

std::optional<std::string> ColorText(const TextLayer& l) {
  const Hold hold = HoldPage(l.state);
  unsigned long rgb = 0;
  if (!static_cast<CHtmlTextLayer*>(l.Get())->GetColor(rgb))
    return std::nullopt;
  return htmlmemdoc::ColorHex(rgb);
}

// A setter of `member`, a text, through the guarded edit.
std::function<void(Layer&, const py::object&)> TextSetter(
    const char* name,
    std::optional<std::string> htmlmemdoc::PageEdit::*member) {
  return [member, name](Layer& l, const py::object& value) {
    htmlmemdoc::PageEdit edit;
    edit.*member = TextOf(value, name, l.state);
    Change(l, name, edit);
  };
}

// The src (or dynsrc) of an image, video or embed layer, as a property.
template <typename Element, typename Class>
void SourceProperty(Class& cls, const char* name,
                    int (Element::*get)(CString&) const,
                    std::optional<std::string> htmlmemdoc::PageEdit::*member,
                    const char* doc) {
  cls.def_property(
      name,
      [get](const typename Class::type& l) {
        const Hold hold = HoldPage(l.state);
        CString value;
        return StrOrNone((static_cast<Element*>(l.Get())->*get)(value), value);
      },
      [member, name](typename Class::type& l, const py::object& value) {
        htmlmemdoc::PageEdit edit;
        edit.*member = TextOf(value, name, l.state);
        Change(l, name, edit);
      },
      doc);
}

// --- the page's head and body ----------------------------------------------

py::dict Attributes(const std::string& markup, const std::string& tag) {
  py::dict attributes;
  const auto tokens = htmlmemdoc::ViewMarkup(markup);
  const int at = htmlmemdoc::FindTag(tokens, tag);
  if (at < 0) return attributes;
  for (const auto& attribute : tokens[static_cast<size_t>(at)].attributes)
    attributes[ToStr(attribute.name)] = ToStr(attribute.value);
  return attributes;
}

template <typename Visit>
void ForEach(const CObList& list, Visit visit) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    visit(*static_cast<CHtmlTextBase*>(list.GetNext(pos)));
}

py::list Metas(const Page& page) {
  const Hold hold = HoldPage(page.state);
  py::list metas;
  ForEach(page.Doc().m_metaList, [&](const CHtmlTextBase& meta) {
    metas.append(Attributes(htmlmemdoc::MarkupOf(meta), "meta"));
  });
  return metas;
}

py::list Scripts(const Page& page) {
  const Hold hold = HoldPage(page.state);
  py::list scripts;
  ForEach(page.Doc().m_scriptList, [&](const CHtmlTextBase& script) {
    const std::string markup = htmlmemdoc::MarkupOf(script);
    CString src;
    const size_t open = markup.find('>');
    const size_t close = markup.rfind('<');
    const std::string inside = open != std::string::npos && close > open
                                   ? markup.substr(open + 1, close - open - 1)
                                   : "";
    py::dict entry;
    entry["src"] = StrOrNone(script.GetAttribute("script", "src", src), src);
    entry["text"] = ToStr(inside);
    scripts.append(entry);
  });
  return scripts;
}

py::dict Styles(const Page& page) {
  const Hold hold = HoldPage(page.state);
  py::dict styles;
  ForEach(page.Doc().m_styleList, [&](const CHtmlTextBase& element) {
    const auto& rule = static_cast<const CHtmlStyle&>(element);
    CString name, text;
    rule.GetStyleName(name);
    rule.RenderOutputString(text, 0);
    const std::string written = static_cast<const char*>(text);
    const size_t open = written.find('{');
    const size_t close = written.rfind('}');
    py::dict properties;
    if (open != std::string::npos && close != std::string::npos &&
        close > open) {
      for (const auto& [property, value] :
           htmlmemdoc::Declarations(written.substr(open + 1, close - open - 1)))
        properties[ToStr(property)] = ToStr(value);
    }
    styles[ToStr(static_cast<const char*>(name))] = properties;
  });
  return styles;
}

py::list Frames(const Page& page) {
  const Hold hold = HoldPage(page.state);
  py::list frames;
  const CHtmlFrameSet& set = page.Doc().m_frameSet;
  for (int i = 0; i < set.GetFrameCount(); ++i) {
    const CHtmlFrame& frame = *set.GetAt(i);
    CString name, src;
    py::dict entry;
    entry["name"] = StrOrNone(frame.GetName(name), name);
    entry["src"] = StrOrNone(frame.GetSrc(src), src);
    frames.append(entry);
  }
  return frames;
}

py::list Strings(const CStringArray& items) {
  py::list list;
  for (int i = 0; i < items.GetSize(); ++i)
    list.append(ToStr(items[i], static_cast<size_t>(items[i].GetLength())));
  return list;
}

py::object Title(const Page& page) {
  const Hold hold = HoldPage(page.state);
  std::string text;
  if (!htmlmemdoc::TitleText(page.Doc().m_title, text)) return py::none();
  return ToStr(text);
}

py::tuple Layers(const Page& page) {
  const Hold hold = HoldPage(page.state);
  CObList layers;
  page.Doc().GetLayersInPageOrder(layers);
  py::tuple tuple(static_cast<size_t>(layers.GetCount()));
  size_t i = 0;
  for (POSITION pos = layers.GetHeadPosition(); pos != nullptr;)
    tuple[i++] =
        Wrap(page.state, static_cast<CHtmlLayer*>(layers.GetNext(pos)));
  return tuple;
}

// A `base` argument: None, or a path as the page paths are taken.
std::optional<std::string> BaseOf(const py::object& base) {
  if (base.is_none()) return std::nullopt;
  return PathOf(base);
}

std::string Render(const Page& page, bool encode, const py::object& path) {
  const std::optional<std::string> base = BaseOf(path);
  CString text;
  const Hold hold = HoldPage(page.state);
  py::gil_scoped_release released;
  page.Doc().RenderToString(text, encode, base ? base->c_str() : nullptr);
  return std::string(text, static_cast<size_t>(text.GetLength()));
}

// WriteRefused for `check`, its losses told in the page's code page.
[[noreturn]] void RaiseWriteRefused(const htmlmemdoc::WriteCheck& check,
                                    const State& state) {
  const CodecScope codec(state->codePage);
  py::list losses;
  for (const auto& loss : check.losses)
    losses.append(ToStr(htmlmemdoc::DescribeLoss(loss)));
  Raise(Error("WriteRefused")(
      ToStr(check.refusal.why +
            (check.refusal.code == htmlmemdoc::RefusalCode::kLoss
                 ? " (allow_loss=True writes it all the same)"
                 : "")),
      losses, check.refusal.Name()));
}

void Write(const Page& page, const py::object& path, bool encode,
           const py::object& base, bool allowLoss) {
  htmlmemdoc::WriteOptions options;
  options.output = PathOf(path);
  if (options.output == "-") options.output = "./-";  // a file, not stdout
  options.encode = encode;
  options.basePath = BaseOf(base).value_or("");
  options.allowLoss = allowLoss;
  htmlmemdoc::WriteCheck check;
  {
    const Hold hold = HoldPage(page.state);
    py::gil_scoped_release released;
    check = htmlmemdoc::CheckWrite(page.Doc(), page.state->text, options);
  }
  if (check.refusal) RaiseWriteRefused(check, page.state);
  htmlmemdoc::Refusal failure;
  {
    py::gil_scoped_release released;
    failure = htmlmemdoc::WriteText(check.text, options);
  }
  if (failure) {
    const py::object error = py::module_::import("htmlmemdoc._errors")
                                 .attr("write_error")(ToStr(failure.why),
                                                      py::bytes(options.output));
    Raise(error);
  }
}

// A new layer of `kind` with the box and `content` (a text layer's text, or
// the file another kind shows) given, made through the guarded edit as the
// tool and the editor make one; refusals name `method`.
py::object AddLayer(const Page& page, const char* method, const char* kind,
                    const py::object& id, const py::object& left,
                    const py::object& top, const py::object& width,
                    const py::object& height, const py::object& content,
                    const py::object& poster = py::none()) {
  using Edit = htmlmemdoc::PageEdit;
  Edit edit;
  edit.add = kind;
  edit.layer = TextOf(id, "id", page.state);
  edit.left = WholeNumber(left, "left", &Edit::left);
  edit.top = WholeNumber(top, "top", &Edit::top);
  edit.width = WholeNumber(width, "width", &Edit::width);
  edit.height = WholeNumber(height, "height", &Edit::height);
  if (std::string(kind) == "text")
    edit.text = TextOf(content, "text", page.state);
  else
    edit.src = TextOf(content, "src", page.state);
  if (!poster.is_none()) edit.poster = TextOf(poster, "poster", page.state);
  const Hold hold = HoldPage(page.state);
  const htmlmemdoc::Refusal why = htmlmemdoc::ApplyEdit(page.Doc(), edit);
  if (why) RaiseRefusedEdit(method, why);
  return Wrap(page.state, htmlmemdoc::FindLayer(page.Doc(), edit.layer));
}

// Takes `l`, one of the page's layers, out of the page; every object of it
// then raises EditRefused (no-layer).
void RemoveLayer(const Page& page, const Layer& l) {
  if (l.state != page.state)
    throw py::value_error("the layer is not one of this page's");
  const Hold hold = HoldPage(page.state);
  CHtmlLayer* layer = l.Get();
  htmlmemdoc::PageEdit edit;
  edit.remove = true;
  const htmlmemdoc::Refusal why =
      htmlmemdoc::ApplyEdit(page.Doc(), layer, edit);
  if (why) RaiseRefusedEdit("remove_layer", why);
  l.ref->layer = nullptr;
  page.state->refs.erase(layer);
}

// A page pickles (and so copies) as what write() would write: its
// rendering, refused as write() refuses one that would lose something.
py::tuple PickledPage(const Page& page) {
  htmlmemdoc::WriteCheck check;
  {
    const Hold hold = HoldPage(page.state);
    py::gil_scoped_release released;
    check = htmlmemdoc::CheckWrite(page.Doc(), page.state->text, {});
  }
  if (check.refusal) RaiseWriteRefused(check, page.state);
  return py::make_tuple(
      py::bytes(check.text, static_cast<size_t>(check.text.GetLength())),
      page.state->codePage);
}

}  // namespace

PYBIND11_MODULE(_core, m) {
  m.doc() = "The htmlmemdoc library: layout pages kept as HTML, in memory.";
  m.attr("__version__") = HtmlMemDocVersion();
  BindSite(m);

  py::class_<Page>(m, "Page", R"(One layout page in memory.

Read one with Page.read(path), Page.from_string(text) or
Page.from_bytes(data); inspect and change it through its properties and
layers; write it with render() or write().)")
      .def_static(
          "read",
          [](const py::object& path, const py::object& codePage) {
            const int page = CodePageOf(codePage);
            return Page{Load(ReadFile(PathOf(path)), page)};
          },
          py::arg("path"), py::arg("code_page") = py::none(),
          "Reads the page file at `path`, its bytes from 0x80 up in "
          "`code_page` (UTF-8 by default; 932, 936, 949 or 950). Raises "
          "PageSyntaxError when it is not a page the library reads, OSError "
          "when it cannot be read.")
      .def_static(
          "from_string",
          [](const py::str& text, const py::object& codePage) {
            const int page = CodePageOf(codePage);
            const CodecScope codec(page);
            return FromBytes(ToBytes(text, "the page"), page);
          },
          py::arg("text"), py::arg("code_page") = py::none(),
          "Reads a page from its text, as it reads in `code_page`.")
      .def_static(
          "from_bytes",
          [](const py::bytes& data, const py::object& codePage) {
            return FromBytes(data, CodePageOf(codePage));
          },
          py::arg("data"), py::arg("code_page") = py::none(),
          "Reads a page from its bytes, as a file holds them.")
      .def_property_readonly(
          "code_page", [](const Page& page) { return page.state->codePage; },
          "The code page of the page's bytes from 0x80 up (65001: UTF-8).")
      .def_property(
          "title", &Title,
          [](Page& page, const py::object& title) {
            htmlmemdoc::PageEdit edit;
            edit.title = TextOf(title, "title", page.state);
            Change(page.state, "title", edit);
          },
          "The text of the page's <title>, or None.")
      .def_property_readonly("metas", &Metas,
                             "Each <meta> tag's attributes, as a dict, in "
                             "page order.")
      .def_property_readonly("scripts", &Scripts,
                             "Each script as {'src': file or None, 'text': "
                             "inline text}.")
      .def_property_readonly("styles", &Styles,
                             "The style rules: name -> {property: value}, "
                             "as the page writes them back.")
      .def_property(
          "background",
          [](const Page& page) -> py::object {
            const Hold hold = HoldPage(page.state);
            char buffer[1024];
            if (!page.Doc().GetBackgroundImage(buffer, sizeof buffer))
              return py::none();
            return ToStr(std::string(buffer));
          },
          [](Page& page, const py::object& image) {
            htmlmemdoc::PageEdit edit;
            edit.background = TextOf(image, "background", page.state);
            Change(page.state, "background", edit);
          },
          "The body's background image, or None.")
      .def_property(
          "background_sound",
          [](const Page& page) -> py::object {
            const Hold hold = HoldPage(page.state);
            if (!page.Doc().IsBackgroundSoundExist()) return py::none();
            char buffer[1040];
            page.Doc().GetBackgroundSound(buffer, sizeof buffer);
            return ToStr(std::string(buffer));
          },
          [](Page& page, const py::object& sound) {
            htmlmemdoc::PageEdit edit;
            if (sound.is_none())
              edit.noSound = true;
            else
              edit.sound = TextOf(sound, "background_sound", page.state);
            Change(page.state, "background_sound", edit);
          },
          "The background sound's file, or None; set None to remove it.")
      .def_property_readonly(
          "preloaded_images",
          [](const Page& page) {
            const Hold hold = HoldPage(page.state);
            CStringArray images;
            page.Doc().GetPreloadImage(images);
            return Strings(images);
          },
          "The images the body's load handler preloads.")
      .def_property_readonly("frames", &Frames,
                             "Each frame as {'name': ..., 'src': ...}.")
      // Page.layers (htmlmemdoc/_layers.py) wraps it as a read-only list.
      .def_property_readonly("_layers", &Layers)
      .def(
          "add_text_layer",
          [](const Page& page, const py::object& id, const py::object& left,
             const py::object& top, const py::object& width,
             const py::object& height, const py::object& text) {
            return AddLayer(page, "add_text_layer", "text", id, left, top,
                            width, height, text);
          },
          py::arg("id"), py::arg("left"), py::arg("top"), py::arg("width"),
          py::arg("height"), py::arg("text"),
          "Makes a text layer above the others and returns it.")
      .def(
          "add_image_layer",
          [](const Page& page, const py::object& id, const py::object& left,
             const py::object& top, const py::object& width,
             const py::object& height, const py::object& src) {
            return AddLayer(page, "add_image_layer", "image", id, left, top,
                            width, height, src);
          },
          py::arg("id"), py::arg("left"), py::arg("top"), py::arg("width"),
          py::arg("height"), py::arg("src"),
          "Makes an image layer showing `src` and returns it.")
      .def(
          "add_video_layer",
          [](const Page& page, const py::object& id, const py::object& left,
             const py::object& top, const py::object& width,
             const py::object& height, const py::object& src,
             const py::object& poster) {
            return AddLayer(page, "add_video_layer", "video", id, left, top,
                            width, height, src, poster);
          },
          py::arg("id"), py::arg("left"), py::arg("top"), py::arg("width"),
          py::arg("height"), py::arg("src"), py::arg("poster") = py::none(),
          "Makes a video layer playing `src` (with the image `poster`) and "
          "returns it.")
      .def(
          "add_embed_layer",
          [](const Page& page, const py::object& id, const py::object& left,
             const py::object& top, const py::object& width,
             const py::object& height, const py::object& src) {
            return AddLayer(page, "add_embed_layer", "embed", id, left, top,
                            width, height, src);
          },
          py::arg("id"), py::arg("left"), py::arg("top"), py::arg("width"),
          py::arg("height"), py::arg("src"),
          "Makes a layer embedding `src` and returns it.")
      .def("remove_layer", &RemoveLayer, py::arg("layer"),
           "Takes the layer out of the page; its objects then raise "
           "EditRefused.")
      .def(py::pickle(&PickledPage,
                      [](const py::tuple& state) {
                        return FromBytes(state[0].cast<std::string>(),
                                         state[1].cast<int>());
                      }))
      .def(
          "layer",
          [](const Page& page, const py::str& id) {
            const Hold hold = HoldPage(page.state);
            CHtmlLayer* layer = nullptr;
            try {
              layer = htmlmemdoc::FindLayer(page.Doc(), ToBytes(id, "id"));
            } catch (const py::error_already_set& refused) {
              // An id the code page cannot write names no layer.
              if (!refused.matches(Error("EditRefused"))) throw;
            }
            if (layer == nullptr) {
              Raise(py::reinterpret_borrow<py::object>(PyExc_KeyError)(
                  py::str("no layer with the id {!r}").attr("format")(id)));
            }
            return Wrap(page.state, layer);
          },
          py::arg("id"), "The layer whose div has this id; KeyError if none.")
      .def(
          "sources",
          [](const Page& page) {
            const Hold hold = HoldPage(page.state);
            CStringArray files;
            if (!page.Doc().GetAllSrc(files))
              throw py::value_error("a layer names no file");
            return Strings(files);
          },
          "The library's list of the page's files, each once: the image "
          "and embed layers' sources, the background image and sound and "
          "the preloaded images (not a video layer's files, nor links: "
          "site.scan reports every reference).")
      .def(
          "render",
          [](const Page& page, bool encode, const py::object& base) {
            const std::string text = Render(page, encode, base);
            const CodecScope codec(page.state->codePage);
            return ToStr(text);
          },
          py::arg("encode") = false, py::arg("base") = py::none(),
          "The page in the library's layout. `base`: a path (the page's "
          "own, or a folder's ending in /) whose folder holds the "
          "referenced files, to match their letter case; "
          "`encode`: replace blank ! $ & ( ) , @ in file references by _.")
      .def(
          "render_bytes",
          [](const Page& page, bool encode, const py::object& base) {
            return py::bytes(Render(page, encode, base));
          },
          py::arg("encode") = false, py::arg("base") = py::none(),
          "render(), as bytes.")
      .def("write", &Write, py::arg("path"), py::arg("encode") = false,
           py::arg("base") = py::none(), py::arg("allow_loss") = false,
           "Writes the page to `path` (CR LF line ends), replacing the file "
           "only once the new one is whole. Raises WriteRefused, writing "
           "nothing, when the page would lose something it holds (unless "
           "allow_loss) or would not read again.");

  py::class_<Layer> layer(m, "Layer",
                          "A plain layer: a <div> block of no "
                          "other kind. The base of every layer.");
  layer
      .def_property(
          "id",
          [](const Layer& l) {
            const Hold hold = HoldPage(l.state);
            return ToStr(htmlmemdoc::LayerId(*l.Get()));
          },
          TextSetter("id", &htmlmemdoc::PageEdit::id),
          "The id of the layer's div.")
      .def_property_readonly(
          "kind",
          [](const Layer& l) {
            const Hold hold = HoldPage(l.state);
            return htmlmemdoc::LayerKindName(*l.Get());
          },
          "'text', 'image', 'video', 'embed', 'live audio' or 'plain'.")
      .def_property_readonly(
          "markup",
          [](const Layer& l) {
            const Hold hold = HoldPage(l.state);
            return ToStr(htmlmemdoc::MarkupOf(*l.Get()));
          },
          "The layer's <div ...>...</div> block as it stands.")
      .def_property(
          "visible",
          [](const Layer& l) -> std::optional<bool> {
            const Hold hold = HoldPage(l.state);
            HtmlVisibility visibility = HtmlVisibilityVisible;
            if (!l.Get()->GetVisibility("div", visibility)) return std::nullopt;
            return visibility == HtmlVisibilityVisible;
          },
          [](Layer& l, const py::object& visible) {
            if (!py::isinstance<py::bool_>(visible))
              throw py::type_error("visible takes True or False");
            htmlmemdoc::PageEdit edit;
            edit.visibility = visible.cast<bool>() ? "visible" : "hidden";
            Change(l, "visible", edit);
          },
          "Whether the div's style says visible; None when it does not say "
          "(read only: set True or False).")
      .def(
          "__eq__",
          [](const Layer& a, const Layer& b) { return a.ref == b.ref; },
          py::is_operator())
      .def("__hash__",
           [](const Layer& l) { return std::hash<const void*>()(l.ref.get()); })
      .def("__repr__", [](const py::object& self) {
        const Layer& l = self.cast<const Layer&>();
        const Hold hold = HoldPage(l.state);
        const py::object kind = py::type::of(self).attr("__name__");
        // A layer taken out still prints, for logs and debuggers.
        if (l.ref->layer == nullptr)
          return py::str("<{} taken out of its page>").format(kind);
        return py::str("<{} {}>").format(
            kind, ToStr(htmlmemdoc::LayerId(*l.ref->layer)));
      });
  using Edit = htmlmemdoc::PageEdit;
  BoxProperty(layer, "left", &CHtmlLayer::GetPixelLeft, &Edit::left,
              "The div's left edge in pixels, or None.");
  BoxProperty(layer, "top", &CHtmlLayer::GetPixelTop, &Edit::top,
              "The div's top edge in pixels, or None.");
  BoxProperty(layer, "width", &CHtmlLayer::GetPixelWidth, &Edit::width,
              "The div's width in pixels, or None.");
  BoxProperty(layer, "height", &CHtmlLayer::GetPixelHeight, &Edit::height,
              "The div's height in pixels, or None.");
  BoxProperty(layer, "z_index", &CHtmlLayer::GetZIndex, &Edit::zIndex,
              "The div's z-index, or None.");

  py::class_<TextLayer, Layer>(m, "TextLayer", "A layer of text.")
      .def_property(
          "text",
          [](const TextLayer& l) {
            const Hold hold = HoldPage(l.state);
            std::string text;
            if (!htmlmemdoc::LayerText(*static_cast<CHtmlTextLayer*>(l.Get()),
                                       text))
              return py::object(py::none());
            return py::object(ToStr(text));
          },
          TextSetter("text", &Edit::text),
          "The text after the text tag up to the next tag, as markup "
          "(nothing is escaped); a text tag written bare (<p>) too.")
      .def_property(
          "font_size",
          [](const TextLayer& l) -> std::optional<int> {
            const Hold hold = HoldPage(l.state);
            int size = 0;
            if (!static_cast<CHtmlTextLayer*>(l.Get())->GetFontSize(size))
              return std::nullopt;
            return size;
          },
          [](TextLayer& l, const py::object& size) {
            Edit edit;
            edit.fontSize = WholeNumber(size, "font_size", &Edit::fontSize);
            Change(l, "font_size", edit);
          },
          "The text's font size in points, or None.")
      .def_property("color", &ColorText, TextSetter("color", &Edit::color),
                    "The text's colour as '#rrggbb', or None; set '#rrggbb' "
                    "or a colour name.");

  py::class_<ImageLayer, Layer> image(m, "ImageLayer",
                                      "A layer showing an image.");
  SourceProperty<CHtmlImageLayer>(image, "src", &CHtmlImageLayer::GetSrc,
                                  &Edit::src, "The image file, or None.");
  py::class_<VideoLayer, ImageLayer> video(m, "VideoLayer",
                                           "A layer playing a video (dynsrc).");
  SourceProperty<CHtmlImageLayer>(video, "src", &CHtmlImageLayer::GetDynSrc,
                                  &Edit::src,
                                  "The video file (dynsrc), or None.");
  SourceProperty<CHtmlImageLayer>(
      video, "poster", &CHtmlImageLayer::GetSrc, &Edit::poster,
      "The image shown before the video plays (src), or None.");
  py::class_<EmbedLayer, Layer> embed(m, "EmbedLayer",
                                      "A layer with an embedded object.");
  SourceProperty<CHtmlEmbedLayer>(embed, "src", &CHtmlEmbedLayer::GetSrc,
                                  &Edit::src, "The embedded file, or None.");
  py::class_<LiveAudioLayer, EmbedLayer>(m, "LiveAudioLayer",
                                         "A layer playing a sound.");
}
