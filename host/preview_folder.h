// CPreviewFolder: where this running program writes its previews. Every instance has a folder
// of its own, so that one program ending never takes away the page another one is showing:
// "tmp/<process id>" in the program folder or, when that cannot be written (an installation
// that belongs to another account), "tessalytool-preview-<process id>" in $XDG_RUNTIME_DIR or
// the system's temporary folder. The folder is private to its user (mode 0700).
//
// At the end only the files that previews wrote are deleted; anything else found there stays,
// and so does the folder that holds it.
#pragma once

#include <QString>

#include <set>

namespace snippo {

class CPreviewFolder {
public:
    explicit CPreviewFolder(QString programFolder);
    CPreviewFolder(const CPreviewFolder&) = delete;
    CPreviewFolder& operator=(const CPreviewFolder&) = delete;

    // Makes the folder on first use; its path (no trailing '/'), or "" when none can be made.
    const QString& Create();
    const QString& Path() const { return m_strPath; }

    // Marks the entries that appear in the folder while it lives as written by a preview (the
    // page, the widget file and the support files the widget places beside it), together
    // with the files named in `written`, which may have been there already.
    class Writing {
    public:
        Writing(CPreviewFolder& folder, std::set<QString> written);
        ~Writing();
        Writing(const Writing&) = delete;
        Writing& operator=(const Writing&) = delete;

    private:
        CPreviewFolder& m_folder;
        std::set<QString> m_before;
        std::set<QString> m_written;
    };

    // Deletes the files previews wrote, then the folder and, for one in the program folder,
    // "tmp" itself when they are empty. Failures are silent. Nothing happens when no preview
    // made the folder.
    void Remove();

private:
    std::set<QString> Entries() const;

    QString m_strProgramFolder;
    QString m_strPath;
    bool m_bInProgramFolder = false;
    std::set<QString> m_written;
};

}  // namespace snippo
