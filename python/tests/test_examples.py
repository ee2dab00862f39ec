import os
import shutil
import subprocess
import sys

import pytest

EXAMPLES = os.path.join(os.path.dirname(__file__), "..", "..", "examples")


def run(*args, cwd=None):
    return subprocess.run([sys.executable, *args], capture_output=True,
                          text=True, cwd=cwd, timeout=300)


def test_the_guide_example_runs_as_written(tmp_path, examples):
    shutil.copy(os.path.join(examples, "welcome.htm"), tmp_path)
    page = str(tmp_path / "welcome.htm")
    done = run(os.path.join(examples, "python", "move_images.py"), page)
    assert done.returncode == 0, done.stderr
    assert "Rose: now at 380, 90" in done.stdout
    assert "uses images/rose.gif" in done.stdout
    done = run(os.path.join(examples, "python", "move_images.py"), page)
    assert "Rose: now at 400, 90" in done.stdout


def test_the_site_listing_runs_as_written(examples):
    done = run(os.path.join(examples, "python", "site_files.py"), examples)
    assert done.returncode == 0, done.stderr
    assert "   1 images/rose.gif" in done.stdout
    assert "syntax_error.htm:8:1: HTML syntax error at Ln8, Col4" in done.stderr


def test_the_site_job_runs_on_a_local_cluster(tmp_path, examples):
    for i in range(30):
        shutil.copy(os.path.join(examples, "welcome.htm"), tmp_path / f"p{i}.htm")
    shutil.copy(os.path.join(examples, "syntax_error.htm"), tmp_path)
    out = tmp_path / "result.json"
    done = run(os.path.join(examples, "python", "site_job.py"), str(tmp_path),
               "--workers", "2", "--batch", "7", "--json", str(out))
    assert done.returncode == 1, done.stderr
    assert done.stdout.startswith("31 pages, 1 do not read, 180 file references")
    assert "syntax_error.htm: HTML syntax error at Ln8, Col4" in done.stdout


def test_the_export_runs_as_the_tool_does(tmp_path, examples):
    import pathlib

    import htmlmemdoc
    report = htmlmemdoc.export(pathlib.Path(examples), tmp_path / "out",
                               media="copy", jobs=2)
    assert report["summary"]["pages"] == 5
    assert report["summary"]["unreadablePages"] == 1
    assert (tmp_path / "out" / "welcome.htm").exists()
    kinds = {m["source"]: m["state"] for m in report["media"]}
    assert kinds["audio/birdsong.mid"] == "cannot play"
    again = htmlmemdoc.export(examples, str(tmp_path / "out"), media="copy")
    assert again["summary"]["written"] == 0  # nothing changed
    inside = htmlmemdoc.export(examples, os.path.join(examples, "out"))
    assert inside["code"] == "in-the-way"
    with pytest.raises(OSError):
        htmlmemdoc.export(tmp_path / "missing", tmp_path / "out2")
    with pytest.raises(ValueError):
        htmlmemdoc.export(examples, tmp_path / "out3", media="stream")
