"""The system probes as a real 32-bit program sees them in the 64-bit prefix, for each Windows
version that Wine can report there."""
import pytest

from conftest import FIXTURE, windows_path


def probe(scenario):
    """Runs the fixture's os-info command and returns its key=value lines as a dict."""
    result = scenario.run("os-info")
    assert result.code == 0, result.output
    lines = [line.split("=", 1) for line in result.output.splitlines() if "=" in line]
    return dict(lines)


# winecfg name, what GetVersionExW then reports, the expected display name, Vista or later
VERSIONS = [
    ("winxp64", "5.2.3790 SP2", "Windows XP x64 Service Pack 2", "0"),
    ("win2003", "5.2.3790 SP2", "Windows Server 2003 x64 Service Pack 2", "0"),
    ("vista", "6.0.6002 SP2", "Windows Vista x64 Service Pack 2", "1"),
    ("win2008", "6.0.6002 SP2", "Windows Server 2008 x64", "1"),
    ("win7", "6.1.7601 SP1", "Windows 7 x64 Service Pack 1", "1"),
    ("win2008r2", "6.1.7601 SP1", "Windows Server 2008 R2 x64 Service Pack 1", "1"),
    ("win8", "6.2.9200 SP0", "Windows 8 x64", "1"),
]


@pytest.mark.parametrize("version, facts, name, vista", VERSIONS, ids=[v[0] for v in VERSIONS])
def test_display_name_of_each_64_bit_windows(scenario, windows_version, version, facts, name, vista):
    scenario.install("probe.exe", program=FIXTURE)
    windows_version(version)
    info = probe(scenario)
    assert info.get("version") == facts, info
    assert info.get("name") == name, info
    assert info.get("kind") == "2" and info.get("wow64") == "1", info
    assert info.get("vista-or-later") == vista, info


def test_setupexedir_is_the_folder_of_the_running_copy(scenario):
    scenario.install("probe.exe", subfolder="deeper folder", program=FIXTURE)
    info = probe(scenario)
    assert info.get("setupexedir", "").lower() == (windows_path(scenario.path("deeper folder")) + "\\").lower(), info
