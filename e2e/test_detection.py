"""Detection against real Windows Installer products and the prefix's Windows version and
language, through the chainer's own detection code (the fixture's detect command)."""
import subprocess
import uuid

import pytest

from conftest import FIXTURE, ini_bytes, windows_path

ACTION_INSTALLED, ACTION_PACKAGE, ACTION_EXCLUDED = "0", "1", "4"


def detect(scenario, ini, env=None, recheck=False):
    """Actions by prerequisite name, and the log's messages."""
    path = scenario.path("detect.ini")
    path.write_bytes(ini_bytes(ini))
    args = [FIXTURE, "detect", windows_path(path)] + (["--recheck"] if recheck else [])
    result = scenario.wine.run(*args, env=env, cwd=scenario.folder)  # the log is named relative to it
    assert result.code == 0, result.output
    actions = {}
    for line in result.output.splitlines():
        if "\t" in line:
            action, name = line.split("\t", 1)
            actions[name] = action
    log = scenario.path("detect.log")
    messages = []
    if log.exists():
        for line in log.read_bytes()[2:].decode("utf-16-le").split("\r\n"):
            if len(line) > 21 and line[20] == "-":
                messages.append(line[21:])
    return actions, messages


def prerequisites(*sections):
    """An INI with one prerequisite per (name, keys) pair, logging to detect.log. Without a
    search of its own a prerequisite gets one that never matches, so that it reads as missing."""
    text = "[PREREQUISITES]\n" + "".join(f"App{i}={name}\n" for i, (name, _) in enumerate(sections, 1))
    for i, (_, keys) in enumerate(sections, 1):
        if "SearchType1" not in keys:
            keys += "\nSearchType1=10\nSearchString1=never"
        text += f"[App{i}]\nSetupFile=setup.exe\n{keys.strip()}\n"
    return text + "[PREREQ_CHAINER]\nLogFile=detect.log\n"


WXS = """<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="{product}" Name="Chainer Test Product" Language="1033" Version="2.5.1"
           Manufacturer="Chainer Tests" UpgradeCode="{upgrade}">
    <Package InstallerVersion="200" Compressed="yes" InstallScope="perMachine"/>
    <Media Id="1" Cabinet="p.cab" EmbedCab="yes"/>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFilesFolder">
        <Directory Id="INSTALLDIR" Name="ChainerTestProduct">
          <Component Id="Main" Guid="{component}">
            <File Id="payload" Source="payload.txt" KeyPath="yes"/>
          </Component>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id="All" Level="1"><ComponentRef Id="Main"/></Feature>
  </Product>
</Wix>
"""


@pytest.fixture
def msi_product(scenario, tmp_path):
    """A real product built with wixl and installed with msiexec; removed again afterwards."""
    codes = {key: "{" + str(uuid.uuid4()).upper() + "}" for key in ("product", "upgrade", "component")}
    (tmp_path / "payload.txt").write_text("payload")
    (tmp_path / "p.wxs").write_text(WXS.format(**codes))
    package = scenario.path("product.msi")
    subprocess.run(["wixl", "-a", "x86", "-o", str(package), str(tmp_path / "p.wxs")], check=True, cwd=tmp_path)
    assert scenario.wine.run("msiexec", "/i", windows_path(package), "/qn").code == 0
    installed = [True]

    def uninstall():
        if installed[0]:
            assert scenario.wine.run("msiexec", "/x", codes["product"], "/qn").code == 0
            installed[0] = False

    codes["uninstall"] = uninstall
    yield codes
    uninstall()


def test_installer_searches_present_and_absent(scenario, msi_product):
    unknown = "{" + str(uuid.uuid4()).upper() + "}"
    ini = prerequisites(
        ("Product", f"SearchType1=3\nSearchString1={msi_product['product']}\nVerMin1=2.5\nVerMax1=2.5.1"),
        ("Product too old", f"SearchType1=3\nSearchString1={msi_product['product']}\nVerMin1=3.0"),
        ("Upgrade", f"SearchType1=4\nSearchString1={msi_product['upgrade']}\nVerMin1=2.0"),
        ("Component", f"SearchType1=11\nSearchString1={msi_product['component']}"),
        ("Unknown", f"SearchType1=3\nSearchString1={unknown}"),
    )
    actions, messages = detect(scenario, ini)
    assert actions == {"Product": ACTION_INSTALLED, "Product too old": ACTION_PACKAGE, "Upgrade": ACTION_INSTALLED,
                       "Component": ACTION_INSTALLED, "Unknown": ACTION_PACKAGE}
    assert messages[:2] == ["Searching for:Product", "Search result:An acceptable version was found."]

    msi_product["uninstall"]()
    scenario.path("detect.log").unlink()
    actions, _ = detect(scenario, ini)
    assert set(actions.values()) == {ACTION_PACKAGE}


@pytest.mark.parametrize("version, name", [
    ("vista", "Windows Vista x64 Service Pack 2"),
    ("win2008r2", "Windows Server 2008 R2 x64 Service Pack 1"),
    ("win7", "Windows 7 x64 Service Pack 1"),
])
def test_operating_system_filter(scenario, windows_version, version, name):
    ini = prerequisites(
        ("Excluded here", f"WinNT64Versions=Windows 2000, {name}"),
        ("Not this one", "WinNT64Versions=Windows 8 x64, Windows XP x64 Service Pack 2"),
        ("Whole family", "WinNT64Versions=Windows XP/Vista/Windows 7/Windows 8 x64"),
        ("32-bit family", "WinNTVersions=Windows NT/2000/XP/Vista/Windows 7/Windows 8 x86"),
    )
    windows_version(version)
    actions, messages = detect(scenario, ini)
    assert actions == {"Excluded here": ACTION_EXCLUDED, "Not this one": ACTION_PACKAGE,
                       "Whole family": ACTION_EXCLUDED, "32-bit family": ACTION_PACKAGE}
    assert messages[0] == "Wrong OS or Os language for:Excluded here"


@pytest.mark.parametrize("locale, language", [("de_DE.UTF-8", 1031), ("fr_FR.UTF-8", 1036)])
def test_language_filter(scenario, locale, language):
    ini = prerequisites(
        ("German only", "LanguageList=1031"),
        ("French or English", "LanguageList=1033;1036;"),
        ("Any", "LanguageList="),
    )
    actions, messages = detect(scenario, ini, env={"LC_ALL": locale})
    assert actions["German only"] == (ACTION_PACKAGE if language == 1031 else ACTION_EXCLUDED)
    assert actions["French or English"] == (ACTION_PACKAGE if language == 1036 else ACTION_EXCLUDED)
    assert actions["Any"] == ACTION_PACKAGE
    assert messages[0].startswith(f"SystemDefault LangID={language}-")
    assert len(messages[0]) > len(f"SystemDefault LangID={language}-")


def test_no_detection_flag_on_first_pass_and_recheck(scenario):
    ini = prerequisites(("Always", "Options=i\nSearchType1=12\nSearchString1=x"))
    actions, _ = detect(scenario, ini)
    assert actions == {"Always": ACTION_PACKAGE}
    actions, messages = detect(scenario, ini, recheck=True)
    assert actions == {"Always": ACTION_INSTALLED}


def test_fake_setup_makes_its_prerequisite_detectable(scenario):
    """The fixture's setup command plays a prerequisite's setup: a registry value and a file
    carrying a version appear, and detection then finds the prerequisite installed."""
    key = f"HKCU\\Software\\ChainerTest\\setup-{uuid.uuid4().hex[:8]}"
    tool = scenario.path("Runtime", "tool.dll")
    ini = prerequisites(
        ("Runtime value", f"SearchType1=2\nSearchString1={key}\\Version\nVerMin1=4.5"),
        ("Runtime file", f"SearchType1=0\nSearchString1={windows_path(scenario.folder)}\\Runtime\\tool.dll\nVerMin1=4.5"),
    )
    actions, _ = detect(scenario, ini)
    assert actions == {"Runtime value": ACTION_PACKAGE, "Runtime file": ACTION_PACKAGE}

    tool.parent.mkdir()
    record = scenario.path("setup.txt")
    result = scenario.wine.run(FIXTURE, "setup", "/quiet", "--record", windows_path(record), "--reg", f"{key}\\Version",
                               "4.5.1", "--file", windows_path(tool), "4.6.0.2", "--sleep", "100", "--exit", "1603")
    try:
        assert result.code == 1603 % 256  # the shell sees the exit code modulo 256
        assert "setup /quiet --record" in record.read_text(encoding="utf-8")
        actions, _ = detect(scenario, ini)
        assert actions == {"Runtime value": ACTION_INSTALLED, "Runtime file": ACTION_INSTALLED}
    finally:
        scenario.wine.run("reg", "delete", key, "/f")
