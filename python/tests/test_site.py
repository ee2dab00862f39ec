"""htmlmemdoc.site: the site report and its fix, through the tool's own
code, and a page's layers made and taken out through the guarded edit."""

import copy
import json
import os
import pickle
import subprocess

import pytest

import htmlmemdoc
from htmlmemdoc import EditRefused, Page, WriteRefused

LAYER = '<div id="{}" style="position:absolute; left:0px">{}</div>\n'


@pytest.fixture
def site(tmp_path):
    """A page naming one file in another case, one missing, and one unused
    file; and a page that does not read."""
    (tmp_path / "Pics").mkdir()
    (tmp_path / "Pics" / "Rose.gif").write_bytes(b"x")
    (tmp_path / "old.gif").write_bytes(b"x")
    page = Page.from_string("<html><head></head><body>\n"
                            + LAYER.format("A", '<img src="pics/rose.gif">')
                            + LAYER.format("B", '<img src="gone.gif">')
                            + "</body></html>\n")
    page.write(tmp_path / "index.htm")
    (tmp_path / "bad.htm").write_bytes(b"<html><head><link rel=x></head></html>")
    return tmp_path


def test_scan_gives_the_tools_report(site):
    report = htmlmemdoc.site.scan(site)
    kinds = [(r["kind"], r["value"], r["line"]) for p in report["pages"]
             for r in p["references"]]
    assert kinds == [("case", "pics/rose.gif", 5), ("missing", "gone.gif", 7)]
    assert report["unused"] == ["old.gif"]
    assert report["pages"][0]["problem"]["line"] == 1
    tool = os.environ.get("HTMLMEMDOC_TOOL")
    if tool:
        out = site.parent / "report.json"
        subprocess.run([tool, "site", str(site), "--json", str(out)])
        assert report == json.loads(out.read_text())


def test_fix_says_what_it_changed_and_a_dry_run_writes_nothing(site):
    before = (site / "index.htm").read_bytes()
    dry = htmlmemdoc.site.fix(site, dry_run=True)
    assert "+" in dry["pages"][1]["fix"]["diff"]
    assert (site / "index.htm").read_bytes() == before
    fixed = htmlmemdoc.site.fix(site)
    assert fixed["pages"][1]["references"][0]["fixedTo"] == "Pics/Rose.gif"
    assert fixed["summary"]["fixedReferences"] == 1
    assert htmlmemdoc.site.scan(site)["summary"]["case"] == 0


@pytest.mark.parametrize("run", [htmlmemdoc.site.scan, htmlmemdoc.site.fix,
                                 lambda s: htmlmemdoc.site.export(s, "/nonexistent/out")])
@pytest.mark.parametrize("bad, error", [
    ("none", FileNotFoundError), ("old.gif", NotADirectoryError)])
def test_a_site_that_is_no_folder_raises_its_oserror(site, run, bad, error):
    with pytest.raises(error) as raised:
        run(site / bad)
    assert raised.value.filename == str(site / bad)


@pytest.mark.parametrize("jobs, error", [(-1, ValueError), ("2", TypeError),
                                         (1.5, TypeError), (True, TypeError)])
def test_jobs_is_a_count(site, jobs, error):
    for run in (htmlmemdoc.site.scan, lambda s, jobs: htmlmemdoc.site.export(
            s, site / "out", jobs=jobs)):
        with pytest.raises(error, match="jobs"):
            run(site, jobs=jobs)


def test_a_failed_write_raises_the_oserror_of_the_path(site):
    page = Page.read(site / "index.htm")
    for path, error in [(site / "none" / "p.htm", FileNotFoundError),
                        (site / "Pics", IsADirectoryError)]:
        with pytest.raises(error) as raised:
            page.write(path)
        assert raised.value.errno is not None
        assert raised.value.filename == str(path)
    page.write(site / "again.htm", base=site / "index.htm")  # a PathLike base
    assert "pics/Rose.gif" in (site / "again.htm").read_text()


def test_layers_are_made_and_taken_out_through_the_guarded_edit(examples):
    page = Page.read(os.path.join(examples, "welcome.htm"))
    note = page.add_text_layer("Note", 10, 20, 200, 40, "Hello")
    movie = page.add_video_layer("Movie", 0, 0, 160, 120, "video/clip.avi",
                                 poster="images/rose.gif")
    again = Page.from_string(page.render())
    assert (again.layer("Note").text, again.layer("Note").left) == ("Hello", 10)
    assert again.layer("Movie").poster == "images/rose.gif"
    with pytest.raises(EditRefused,
                       match="add_image_layer: a layer with the id Note") as taken:
        page.add_image_layer("Note", 0, 0, 1, 1, "images/rose.gif")
    assert taken.value.code == "in-the-way"
    page.remove_layer(note)
    assert note not in page.layers and movie in page.layers
    with pytest.raises(EditRefused) as gone:
        note.text
    assert gone.value.code == "no-layer"
    assert (repr(note), repr(movie)) == ("<TextLayer taken out of its page>",
                                         "<VideoLayer Movie>")
    with pytest.raises(ValueError, match="not one of this page's"):
        Page.read(os.path.join(examples, "welcome.htm")).remove_layer(movie)


def test_layers_are_read_only_and_compare_with_anything(examples):
    page = Page.read(os.path.join(examples, "welcome.htm"))
    layers = page.layers
    assert isinstance(layers, htmlmemdoc.Layers)
    assert None not in layers and layers[0] in layers
    assert layers[:1] == page.layers[:1]
    for change in (lambda: layers.append(layers[0]), lambda: layers.pop(),
                   lambda: layers.__setitem__(0, None)):
        with pytest.raises(TypeError, match="read-only: add layers"):
            change()


def test_a_page_copies_and_pickles_as_it_would_be_written(examples):
    page = Page.read(os.path.join(examples, "welcome.htm"))
    page.layer("Title").left = 33
    for twin in (copy.copy(page), copy.deepcopy(page),
                 pickle.loads(pickle.dumps(page))):
        assert twin.render() == page.render()
        twin.layer("Title").left = 1
        assert page.layer("Title").left == 33
    plain = Page.from_string("<html><body><div id=P>just text</div></body></html>")
    with pytest.raises(WriteRefused, match="allow_loss"):
        pickle.dumps(plain)


def test_a_double_byte_page_crosses_in_its_code_page(tmp_path):
    # "表示" in Shift-JIS: the second byte of 表 is a backslash.
    data = ("<html><body>\n" + LAYER.format("T", "<p class=x>\x95\\\x8e\xa6</p>")
            + LAYER.format("I", '<img src="\x95\\.gif">') + "</body></html>\n"
            ).encode("latin-1")
    page = Page.from_bytes(data, code_page=932)
    assert (page.code_page, page.layer("T").text) == (932, "表示")
    assert page.layer("I").src == "表.gif"
    page.layer("T").text = "漢字"
    assert "漢字".encode("cp932") in page.render_bytes()
    assert pickle.loads(pickle.dumps(page)).layer("T").text == "漢字"
    # A UTF-8 page beside it reads as UTF-8.
    assert Page.from_string(
        "<html><body><div id=U><p class=x>é</p></div></body></html>"
    ).layer("U").text == "é"
    (tmp_path / "p.htm").write_bytes(data)
    assert Page.read(tmp_path / "p.htm", code_page=932).layer("I").src == "表.gif"
    with pytest.raises(ValueError, match="code_page 1252 is none"):
        Page.from_bytes(data, code_page=1252)
    # A character the code page cannot write is a refused value, named.
    with pytest.raises(EditRefused, match="^text: cannot be written") as refused:
        page.layer("T").text = "€"
    assert refused.value.code == "bad-value"
    with pytest.raises(KeyError, match="no layer with the id '€'"):
        page.layer("€")
