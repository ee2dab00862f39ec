import gc
import os

import pytest

import htmlmemdoc
from htmlmemdoc import Page, PageSyntaxError, WriteRefused


def test_reads_the_bundled_examples(examples):
    for name in sorted(os.listdir(examples)):
        if not name.endswith(".htm"):
            continue
        path = os.path.join(examples, name)
        if name == "syntax_error.htm":
            with pytest.raises(PageSyntaxError) as error:
                Page.read(path)
            assert str(error.value) == "HTML syntax error at Ln8, Col4"
            assert (error.value.line, error.value.column) == (8, 1)
            assert "after the layers" in error.value.why
        else:
            assert Page.read(path).render().startswith("<html>")
    page = Page.read(os.path.join(examples, "welcome.htm"))
    assert page.title == "Welcome to the garden club"
    assert [(l.kind, l.id) for l in page.layers] == [
        ("text", "Title"), ("text", "Intro"), ("image", "Rose"),
        ("video", "Tour"), ("embed", "Map"), ("live audio", "qBgSound")]
    assert isinstance(page.layer("Tour"), htmlmemdoc.VideoLayer)
    assert page.layer("Tour").src == "video/tour.mpg"
    assert page.background_sound == "audio/birdsong.mid"
    assert page.styles["heading"]["font-size"] == "24pt"
    assert page.metas[1] == {"name": "generator", "content": "Layout"}
    assert "images/rose.gif" in page.sources()


def edit_everything(page):
    for i, layer in enumerate(page.layers):
        layer.left, layer.top = 10 * i, 20 * i
        layer.width, layer.height, layer.z_index = 100 + i, 50 + i, 7 + i
        if isinstance(layer, htmlmemdoc.TextLayer):
            layer.text = "Caf\u00e9 " + layer.id
            layer.font_size = 14
            layer.color = "#1a2b3c"
        elif not isinstance(layer, htmlmemdoc.LiveAudioLayer):
            layer.src = "new/" + layer.id + ".gif"
    page.layer("Intro").visible = False
    page.background = "images/leaves.gif"
    page.background_sound = "audio/new.mid"


def snapshot(page):
    return [(l.kind, l.id, l.left, l.top, l.width, l.height, l.z_index,
             l.visible, getattr(l, "text", None), getattr(l, "font_size", None),
             getattr(l, "color", None), getattr(l, "src", None))
            for l in page.layers] + [page.background, page.background_sound]


def test_every_property_round_trips_through_the_reader(examples):
    page = Page.read(os.path.join(examples, "welcome.htm"))
    edit_everything(page)
    again = Page.from_string(page.render())
    assert snapshot(again) == snapshot(page)
    assert again.layer("Intro").visible is False
    assert again.layer("Title").color == "#1a2b3c"
    assert again.layer("Rose").src == "new/Rose.gif"
    page.background_sound = None
    assert Page.from_string(page.render()).background_sound is None


def test_errors(tmp_path, examples):
    with pytest.raises(OSError):
        Page.read(str(tmp_path / "none.htm"))
    with pytest.raises(PageSyntaxError, match="starts with exactly <html>"):
        Page.from_string("no page")
    page = Page.read(os.path.join(examples, "welcome.htm"))
    with pytest.raises(KeyError):
        page.layer("Nobody")
    with pytest.raises(ValueError, match="color: not a colour"):
        page.layer("Title").color = "#12"
    with pytest.raises(ValueError, match="NUL"):
        page.layer("Title").text = "a\0b"
    plain = Page.from_string("<html><body><div id=P>just text</div></body></html>")
    out = tmp_path / "out.htm"
    with pytest.raises(WriteRefused) as refused:
        plain.write(str(out))
    assert "plain layer" in refused.value.losses[0]
    assert not out.exists()
    plain.write(str(out), allow_loss=True)
    assert out.read_bytes().startswith(b"<html>\r\n")


def test_objects_keep_their_page_alive(examples):
    layer = Page.read(os.path.join(examples, "welcome.htm")).layers[0]
    gc.collect()
    assert layer.id == "Title" and layer.left == 40
    ids = []
    for layer in Page.read(os.path.join(examples, "welcome.htm")).layers:
        gc.collect()
        layer.left = 5
        ids.append(layer.id)
    assert len(ids) == 6
    first, again = Page.from_string(
        "<html><body><div id=A><p class=x>a</p></div></body></html>").layers * 2
    assert first == again and hash(first) == hash(again)


def test_bytes_that_are_not_utf8_come_back_unchanged():
    data = b"<html><head><title>Caf\xe9</title></head><body>" \
           b"<div id=T><p class=x>na\xefve \xc3\xa9t\xc3\xa9</p></div></body></html>"
    page = Page.from_bytes(data)
    assert page.title == "Caf\udce9"
    layer = page.layer("T")
    assert layer.text == "na\udcefve \u00e9t\u00e9"
    layer.text = layer.text + " \u2713"
    rendered = page.render_bytes()
    assert b"<title>Caf\xe9</title>" in rendered
    assert "na\udcefve \u00e9t\u00e9 \u2713".encode("utf-8", "surrogateescape") in rendered
    assert Page.from_bytes(rendered).layer("T").text == layer.text
