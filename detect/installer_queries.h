// Questions to Windows Installer about installed products and components. An unknown product
// or component is a fact, not an error. msi.dll is loaded on first use, so the chainer starts
// on systems without Windows Installer.
#pragma once
#include <string>
#include <vector>

// The product's VersionString; false when the product is unknown or Windows Installer is absent.
bool InstalledProductVersion(const std::wstring& productCode, std::wstring& version);
// The product codes related to an upgrade code, in Windows Installer's order.
std::vector<std::wstring> RelatedProducts(const std::wstring& upgradeCode);
// True when the component is installed locally or to run from its source.
bool ComponentInstalled(const std::wstring& componentCode);
