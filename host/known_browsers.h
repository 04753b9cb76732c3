// CKnownBrowsers: the web browsers this machine knows of, built anew each time it is needed.
// First the browsers registered under the keys their installers write (in a fixed order),
// then the browsers found on PATH.
#pragma once

#include "platform/registry/registry.h"

#include <string>
#include <vector>

namespace snippo {

class CKnownBrowsers {
public:
    CKnownBrowsers();

    int m_nCount = 0;
    std::vector<std::string> m_arrPaths;
    std::vector<std::string> m_arrNames;

    // The value `name` ("" for the default value) of `key` under `root`; "" on any failure,
    // and for a value that would not fit a buffer of 512 bytes.
    static std::string ReadRegistry(HKEY root, const std::string& key, const std::string& name);

private:
    void Add(const std::string& name, const std::string& path);
};

}  // namespace snippo
