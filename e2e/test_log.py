"""The setup log: enabled by PREREQ_CHAINER's LogFile, a UTF-16LE file appended to across runs."""
import datetime
import re

import pytest

from conftest import windows_path

BOM = b"\xff\xfe"
HEADER = "\r\n<< Corvane (x86) Log >>\r\n"
OS_BLOCK = re.compile(r"<< OS Version:  MajorVersion: \d+; MinorVersion: \d+; BuildNumber: \d+; PlatformId: 2;"
                      r" CSDVersion: [^;\r\n]*; ServicePackMajor: \d+; ServicePackMinor: \d+; SuiteMask: \d+;"
                      r" ProductType: \d+; >> \r\n\r\n")
STAMP = r"(\d{4})-(\d{2})-(\d{2}) @(\d{2}):(\d{2}):(\d{2})-"
FOOTER = "=" * 21 + "End of Log" + "=" * 21 + "\r\n"
# Any time-stamped lines of the run, then the footer line, which ends with two CR LF.
RUN_LINES = re.compile(rf"(?:{STAMP}[^\r\n]*\r\n)*{STAMP}{re.escape(FOOTER)}\r\n")


def log_runs(path):
    """The parts of the log that each run wrote, checked for their layout; returns the time
    stamps of their footers."""
    data = path.read_bytes()
    assert data.startswith(BOM)
    assert data.count(BOM) == 1, "a byte-order mark in the middle of the file"
    text = data[2:].decode("utf-16-le")
    assert text.startswith(HEADER)
    stamps = []
    for run in text.split(HEADER)[1:]:
        block = OS_BLOCK.match(run)
        assert block, f"no OS version block after the header: {run[:200]!r}"
        lines = RUN_LINES.fullmatch(run, block.end())
        assert lines, f"malformed lines: {run[block.end():]!r}"
        assert run.count("End of Log") == 1
        stamps.append(datetime.datetime(*map(int, lines.groups()[-6:])))
    return stamps


def log_ini(log_file):
    return f"""
        [GeneralOptions]
        Options=q

        [PREREQ_CHAINER]
        LogFile={log_file}
    """


def assert_recent(stamp):
    now = datetime.datetime.now()
    assert abs((now - stamp).total_seconds()) < 120, f"time stamp {stamp} is not the local time {now}"


def test_run_writes_header_version_block_and_footer(scenario):
    log = scenario.path("logs", "setup.log")
    log.parent.mkdir()
    scenario.install("setup.exe", subfolder="first")
    scenario.write_ini(log_ini(windows_path(log)))
    assert scenario.run().code == 0
    [stamp] = log_runs(log)
    assert_recent(stamp)


def test_second_run_appends(scenario):
    log = scenario.path("logs", "setup.log")
    log.parent.mkdir()
    # Two installations share the log; each run may delete its own executable and INI.
    for folder in ("first", "second"):
        scenario.install("setup.exe", subfolder=folder)
        scenario.write_ini(log_ini(windows_path(log)))
        assert scenario.run().code == 0
    first, second = log_runs(log)
    assert first <= second


@pytest.mark.parametrize("log_file, expected", [
    ("setup.log", "setup.log"),
    ("logs\\run.log", "logs/run.log"),
])
def test_relative_log_file_lies_beside_the_executable(scenario, log_file, expected):
    scenario.install("setup.exe", subfolder="app")
    scenario.path("app", "logs").mkdir()
    scenario.write_ini(log_ini(log_file))
    elsewhere = scenario.path("elsewhere")
    elsewhere.mkdir()
    assert scenario.run(cwd=elsewhere).code == 0
    log_runs(scenario.path("app", *expected.split("/")))
    assert list(elsewhere.iterdir()) == []


@pytest.mark.parametrize("chainer_section", [
    "",
    "[PREREQ_CHAINER]\n        LogFile=\n",
    "[PREREQ_CHAINER]\n        CleanupFolders=\n",
], ids=["no-section", "empty-log-file", "no-log-file-key"])
def test_no_log_file_named_writes_no_log(scenario, chainer_section):
    scenario.install("setup.exe")
    scenario.write_ini(f"""
        [GeneralOptions]
        Options=q

        {chainer_section}
    """)
    assert scenario.run().code == 0
    assert list(scenario.folder.rglob("*.log")) == []


@pytest.mark.parametrize("where", ["absolute", "relative"])
def test_log_in_a_missing_folder_writes_nothing(scenario, where):
    scenario.install("setup.exe")
    missing = scenario.path("missing", "sub", "setup.log")
    scenario.write_ini(log_ini(windows_path(missing) if where == "absolute" else "missing\\sub\\setup.log"))
    assert scenario.run().code == 0
    assert not scenario.path("missing").exists()
    assert list(scenario.folder.rglob("*.log")) == []
