#include "detect/installer_queries.h"
#include <windows.h>
#include <msi.h>
#include "core/once.h"

namespace {

using GetProductInfoFn = UINT(WINAPI*)(LPCWSTR, LPCWSTR, LPWSTR, DWORD*);
using EnumRelatedProductsFn = UINT(WINAPI*)(LPCWSTR, DWORD, DWORD, LPWSTR);
using LocateComponentFn = INSTALLSTATE(WINAPI*)(LPCWSTR, LPWSTR, DWORD*);

struct InstallerApi {
    GetProductInfoFn getProductInfo = nullptr;
    EnumRelatedProductsFn enumRelatedProducts = nullptr;
    LocateComponentFn locateComponent = nullptr;
};

OnceFlag apiOnce;
InstallerApi api;

// Loaded once and kept for the life of the process.
const InstallerApi& Api()
{
    apiOnce.Run([] {
        if (HMODULE msi = LoadLibraryW(L"msi.dll")) {
            api.getProductInfo = reinterpret_cast<GetProductInfoFn>(
                reinterpret_cast<void*>(GetProcAddress(msi, "MsiGetProductInfoW")));
            api.enumRelatedProducts = reinterpret_cast<EnumRelatedProductsFn>(
                reinterpret_cast<void*>(GetProcAddress(msi, "MsiEnumRelatedProductsW")));
            api.locateComponent = reinterpret_cast<LocateComponentFn>(
                reinterpret_cast<void*>(GetProcAddress(msi, "MsiLocateComponentW")));
        }
    });
    return api;
}

} // namespace

bool InstalledProductVersion(const std::wstring& productCode, std::wstring& version)
{
    GetProductInfoFn getProductInfo = Api().getProductInfo;
    if (!getProductInfo)
        return false;
    std::wstring buffer(64, L'\0');
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        UINT result = getProductInfo(productCode.c_str(), L"VersionString", &buffer[0], &length);
        if (result == ERROR_MORE_DATA) {
            buffer.resize(length + 1);
            continue;
        }
        if (result != ERROR_SUCCESS)
            return false;
        buffer.resize(wcsnlen(buffer.c_str(), length));
        version = buffer;
        return true;
    }
}

std::vector<std::wstring> RelatedProducts(const std::wstring& upgradeCode)
{
    std::vector<std::wstring> products;
    EnumRelatedProductsFn enumRelatedProducts = Api().enumRelatedProducts;
    if (!enumRelatedProducts)
        return products;
    wchar_t product[39];
    for (DWORD index = 0; enumRelatedProducts(upgradeCode.c_str(), 0, index, product) == ERROR_SUCCESS; ++index)
        products.emplace_back(product, wcsnlen(product, 38));
    return products;
}

bool ComponentInstalled(const std::wstring& componentCode)
{
    LocateComponentFn locateComponent = Api().locateComponent;
    if (!locateComponent)
        return false;
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = static_cast<DWORD>(path.size());
    INSTALLSTATE state = locateComponent(componentCode.c_str(), &path[0], &length);
    if (state == INSTALLSTATE_MOREDATA) {
        path.resize(length + 1);
        length = static_cast<DWORD>(path.size());
        state = locateComponent(componentCode.c_str(), &path[0], &length);
    }
    return state == INSTALLSTATE_LOCAL || state == INSTALLSTATE_SOURCE;
}
