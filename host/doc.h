// CTessalyToolDoc: the one document of the program, one widget file (*.qwd). It owns the proxy
// of the widget being edited; the widget reads and writes the file itself, the document only
// passes paths. Besides new, open and save it carries Save as Template, Copy Support Files to
// and View Sample.
#pragma once

#include "host/snippo.h"

#include <QObject>
#include <QString>

#include <memory>

namespace snippo {

class CTessalyToolDoc : public QObject {
    Q_OBJECT
public:
    CTessalyToolDoc();
    ~CTessalyToolDoc() override;

    // The framework's document state.
    const QString& GetPathName() const { return m_strPathName; }
    const QString& GetTitle() const { return m_strTitle; }
    void SetPathName(const QString& path, bool addToRecentFiles = true);
    void SetTitle(const QString& title);
    void SetDefaultTitle();
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    // The framework's steps, overridden as the widget needs.
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const QString& path);
    virtual bool OnSaveDocument(const QString& path);

    // Asks "Save changes to ...?" when modified; false when the user cancels or saving failed.
    bool SaveModified();
    // Save (to the document's path, or Save As when there is none or it cannot be written).
    bool DoFileSave();
    // Save As when `path` is empty; `replace` makes the saved file the document's file.
    bool DoSave(const QString& path, bool replace = true);

    // Commands.
    void OnFileSaveAsTemplate();
    void OnFileCopySupportFiles();
    bool CanCopySupportFiles();
    void OnHelpViewSample();

    // The widget being edited, or null when the last New failed. A failed Open keeps it.
    CSnippo* GetSnippo() const { return m_pSnippo.get(); }

signals:
    void titleChanged();

private:
    // A new widget object, or null after "Create the dispatch of the ... Error!".
    std::unique_ptr<CSnippo> CreateWidget();

    std::unique_ptr<CSnippo> m_pSnippo;
    bool m_bFirstNew = true;
    QString m_strPathName;
    QString m_strTitle;
    bool m_bModified = false;
};

}  // namespace snippo
