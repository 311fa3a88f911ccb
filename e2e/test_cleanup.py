"""The end of a run: listed files, the INI file, and the executable with its emptied folders,
removed by hidden batch files after the process has ended."""
import time

import pytest

from conftest import wait_until, windows_path

# The batch files run through cmd, which starts in a few seconds under Wine.
DELETION_TIMEOUT = 20


def chainer_section(files=(), root=None):
    lines = ["[GeneralOptions]", "Options=q", "", "[PREREQ_CHAINER]"]
    lines.append("CleanupFiles=" + "\x01".join(files))
    if root is not None:
        lines.append("CleanupFolders=" + root)
    return "\n".join(lines) + "\n"


def touch(path, text="x"):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(text)
    return path


def wait_for_deletion(batches, gone):
    """Waits until every path of `gone` has vanished and every batch file has ended."""
    done = wait_until(lambda: not any(p.exists() for p in gone) and not batches.new(), DELETION_TIMEOUT)
    assert done, (f"still present after {DELETION_TIMEOUT} s: {[str(p) for p in gone if p.exists()]}, "
                  f"batch files: {batches.describe()}")


def test_nested_executable_removes_itself_and_its_folders_up_to_the_root(scenario, batches):
    root = scenario.path("root")
    exe = scenario.install("setup.exe", subfolder="root/X/Y")
    listed = touch(root / "X" / "Y" / "listed.txt")
    data = touch(root / "data" / "sub" / "a.txt")
    kept = touch(root / "kept.txt")
    ini = scenario.write_ini(chainer_section([windows_path(listed), windows_path(data)], windows_path(root)))

    result = scenario.run()
    assert result.code == 0
    # The listed files and the folders they leave empty go while the process ends.
    assert not listed.exists() and not ini.exists()
    assert not (root / "data").exists()
    start = time.monotonic()
    wait_for_deletion(batches, [exe, root / "X"])
    print(f"executable and folders gone {time.monotonic() - start:.1f} s after the run")
    assert kept.exists()
    assert scenario.files() == ["root", "root/kept.txt"]


def test_only_absolute_existing_names_below_the_root_are_deleted(scenario, batches):
    root = scenario.path("root")
    exe = scenario.install("setup.exe", subfolder="root")
    inside = touch(root / "inside.txt")
    relative = touch(root / "relative.txt")
    outside = touch(scenario.path("outside.txt"))
    other_case = touch(root / "case.txt")
    tokens = [
        windows_path(inside),
        "relative.txt",  # the run's current folder is root: a relative name would hit it
        windows_path(outside),
        windows_path(root / "missing.txt"),
        windows_path(scenario.folder) + "\\ROOT\\case.txt",  # the root test is case-sensitive
        "",
    ]
    ini = scenario.write_ini(chainer_section(tokens, windows_path(root)))

    assert scenario.run().code == 0
    wait_for_deletion(batches, [inside, ini, exe])
    assert relative.exists() and outside.exists() and other_case.exists()
    assert root.is_dir(), "the root folder itself was removed"


@pytest.mark.parametrize("leftover", ["X/Y/other.txt", "X/other.txt"])
def test_folders_that_still_hold_something_stay_without_a_looping_batch(scenario, batches, leftover):
    root = scenario.path("root")
    exe = scenario.install("setup.exe", subfolder="root/X/Y")
    other = touch(root / leftover)
    ini = scenario.write_ini(chainer_section([], windows_path(root)))

    assert scenario.run().code == 0
    # Every folder at or above the leftover stays; a batch for one of them would never end.
    gone = [exe, ini] if leftover.startswith("X/Y/") else [exe, ini, root / "X" / "Y"]
    wait_for_deletion(batches, gone)
    assert other.exists()
    assert (root / "X").is_dir()


def test_without_chainer_section_nothing_is_deleted(scenario, batches):
    root = scenario.path("root")
    exe = scenario.install("setup.exe", subfolder="root/X")
    listed = touch(root / "X" / "listed.txt")
    ini = scenario.write_ini(f"""
        [GeneralOptions]
        Options=q
        CleanupFiles={windows_path(listed)}
        CleanupFolders={windows_path(root)}
    """)
    before = scenario.files()

    assert scenario.run().code == 0
    assert not batches.new(), "batch files were written"
    time.sleep(3)  # a batch would have removed the executable by now
    assert scenario.files() == before
    assert exe.exists() and ini.exists()


def test_chainer_section_with_empty_values_deletes_ini_and_executable_but_no_folder(scenario, batches):
    exe = scenario.install("setup.exe", subfolder="X/Y")
    ini = scenario.write_ini("[GeneralOptions]\nOptions=q\n\n[PREREQ_CHAINER]\nCleanupFiles=\nCleanupFolders=\nLogFile=\n")

    assert scenario.run().code == 0
    wait_for_deletion(batches, [ini, exe])
    assert scenario.path("X", "Y").is_dir(), "a folder was removed without a root"


def test_listed_file_without_root_leaves_its_emptied_folder(scenario, batches):
    exe = scenario.install("setup.exe", subfolder="X")
    listed = touch(scenario.path("data", "a.txt"))
    ini = scenario.write_ini(chainer_section([windows_path(listed)]))

    assert scenario.run().code == 0
    wait_for_deletion(batches, [listed, ini, exe])
    assert scenario.path("data").is_dir()
    assert scenario.path("X").is_dir()
