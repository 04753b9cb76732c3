// CKnownBrowsers: the web browsers this machine knows of, built anew each time it is needed.
// First the browsers registered under the keys their installers write (in a fixed order),
// then the browsers found on PATH.
#pragma once

#include "platform/registry/registry.h"

#include <QString>
#include <QStringList>

namespace snippo {

class CKnownBrowsers {
public:
    CKnownBrowsers();

    int m_nCount = 0;
    QStringList m_arrPaths;
    QStringList m_arrNames;

    // The value `name` ("" for the default value) of `key` under `root`; "" on any failure,
    // and for a value that would not fit a buffer of 512 bytes (in UTF-8).
    static QString ReadRegistry(HKEY root, const QString& key, const QString& name);

private:
    void Add(const QString& name, const QString& path);
};

}  // namespace snippo
