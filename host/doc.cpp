#include "host/doc.h"

#include "host/app.h"
#include "host/automation_error.h"
#include "host/dlg_new.h"
#include "host/dlg_save_as_template.h"
#include "host/mainframe.h"
#include "host/prompt_service.h"
#include "host/resource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace snippo {

namespace {

QWidget* frame()
{
    CTessalyToolApp* app = CTessalyToolApp::Instance();
    return app != nullptr ? app->MainFrame() : nullptr;
}

// A path that cannot be looked at because a folder on the way may not be searched: that is a
// refusal, not a missing file.
bool blockedOnTheWay(const QFileInfo& info)
{
    QFileInfo ancestor(info.absolutePath());
    while (!ancestor.exists() && !ancestor.isRoot())
        ancestor = QFileInfo(ancestor.absolutePath());
    return ancestor.isDir() && !ancestor.isExecutable();
}

// The framework's own check before a document is read: the file must open for reading.
// Reports why it cannot, in the framework's words.
bool frameworkOpenFile(const QString& path)
{
    const QFileInfo info(path);
    QString message;
    if (info.isDir()) {
        message = CTessalyToolDoc::tr("Unable to open %1: it is a folder, not a document.").arg(path);
    } else if (!info.exists()) {
        message = blockedOnTheWay(info)
                      ? CTessalyToolDoc::tr("Unable to read from %1: access is denied.").arg(path)
                      : CTessalyToolDoc::tr("%1\nThis file cannot be found.\nCheck that the path and the file name are "
                                            "correct.")
                            .arg(path);
    } else {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            return true;
        message = file.error() == QFileDevice::PermissionsError
                      ? CTessalyToolDoc::tr("Unable to read from %1: access is denied.").arg(path)
                      : CTessalyToolDoc::tr("An unexpected error occurred while reading %1.").arg(path);
    }
    AskUser(frame(), message);
    return false;
}

}  // namespace

CTessalyToolDoc::CTessalyToolDoc() = default;
CTessalyToolDoc::~CTessalyToolDoc() = default;

void CTessalyToolDoc::SetPathName(const QString& path, bool addToRecentFiles)
{
    m_strPathName = path;
    SetTitle(QFileInfo(path).fileName());
    if (addToRecentFiles)
        if (CTessalyToolApp* app = CTessalyToolApp::Instance())
            app->AddToRecentFileList(path);
}

void CTessalyToolDoc::SetTitle(const QString& title)
{
    m_strTitle = title;
    emit titleChanged();
}

void CTessalyToolDoc::SetDefaultTitle()
{
    SetTitle(text::kDefaultDocName);
}

void CTessalyToolDoc::SetModifiedFlag(bool modified)
{
    m_bModified = modified;
}

std::unique_ptr<CSnippo> CTessalyToolDoc::CreateWidget()
{
    auto proxy = std::make_unique<CSnippo>();
    if (!proxy->CreateDispatch(text::kProgID)) {
        AskUser(frame(), tr("Create the dispatch of the %1 Error!").arg(text::kProgID));
        return nullptr;
    }
    return proxy;
}

bool CTessalyToolDoc::OnNewDocument()
{
    m_strPathName.clear();
    SetModifiedFlag(false);

    m_pSnippo.reset();
    m_pSnippo = CreateWidget();
    if (!m_pSnippo)
        return false;
    // A widget that loads its browser runtime shows in current browsers.
    CTessalyToolApp* app = CTessalyToolApp::Instance();
    const bool webRuntime = app && app->m_bWebRuntime;
    if (webRuntime)
        m_pSnippo->SetWebRuntime(true);
    if (m_bFirstNew) {
        // The document of start-up is the fresh widget, without a question.
        m_bFirstNew = false;
        SetModifiedFlag(false);
        return true;
    }
    CDlgNew dialog(frame(), m_pSnippo.get());
    SetModifiedFlag(dialog.DoModal() == QDialog::Accepted);
    // A template from before the runtime reads as a widget without it: a new widget is
    // still made for current browsers.
    if (webRuntime)
        m_pSnippo->SetWebRuntime(true);
    return true;
}

bool CTessalyToolDoc::OnOpenDocument(const QString& path)
{
    if (!frameworkOpenFile(path))
        return false;

    // The file is read by a widget of its own, which becomes the document's only once it is
    // known to be good: a failed Open leaves the document's widget exactly as it was.
    std::unique_ptr<CSnippo> widget = CreateWidget();
    if (!widget)
        return false;
    if (!widget->ReadConfigFile(path)) {
        AskUser(frame(), tr("Open %1 Error!").arg(path));
        return false;
    }
    if (widget->GetProgID() != text::kProgID) {
        AskUser(frame(), tr("This File is not saved by %1!").arg(text::kAppTitle));
        return false;
    }
    m_pSnippo = std::move(widget);
    SetModifiedFlag(false);
    return true;
}

bool CTessalyToolDoc::OnSaveDocument(const QString& path)
{
    // Without a widget nothing can be written, and a save that writes nothing has failed.
    bool written = false;
    if (m_pSnippo) {
        m_pSnippo->SetProgID(text::kProgID);
        m_pSnippo->SetLastUpdateTime(CurrentOleDate());
        written = m_pSnippo->WriteConfigFile(path);
    }
    if (!written) {
        AskUser(frame(), tr("Save to %1 Error!").arg(path));
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CTessalyToolDoc::SaveModified()
{
    if (!IsModified())
        return true;
    QString name = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
    switch (AskUser(frame(), tr("Save changes to %1?").arg(name),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return DoFileSave();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool CTessalyToolDoc::DoFileSave()
{
    // A document without a file, or whose file can no longer be written, asks for a name.
    QFileInfo info(m_strPathName);
    if (m_strPathName.isEmpty() || !info.exists() || !info.isWritable())
        return DoSave({}, true);
    return DoSave(m_strPathName, true);
}

bool CTessalyToolDoc::DoSave(const QString& path, bool replace)
{
    QString newName = path;
    if (newName.isEmpty()) {
        QString proposed = m_strPathName;
        if (replace && proposed.isEmpty()) {
            proposed = m_strTitle;
            int bad = proposed.indexOf(QRegularExpression("[:/\\\\]"));
            if (bad >= 0)
                proposed.truncate(bad);
            proposed += text::kFileExtension;
        }
        newName = ChooseSaveFile(frame(), tr("Save As"), text::Tr(text::kFileFilter), text::kFileExtension, proposed);
        if (newName.isEmpty())
            return false;
        newName = QFileInfo(newName).absoluteFilePath();
    }
    if (!OnSaveDocument(newName))
        return false;
    if (replace)
        SetPathName(newName);
    return true;
}

void CTessalyToolDoc::OnFileSaveAsTemplate()
{
    if (!m_pSnippo)
        return;
    CDlgSaveAsTemplate dialog(frame());
    dialog.m_strName = m_pSnippo->GetTitle();
    dialog.m_strDescription = m_pSnippo->GetDescription();
    if (dialog.DoModal() != QDialog::Accepted)
        return;

    const QString oldTitle = m_pSnippo->GetTitle();
    const QString oldDescription = m_pSnippo->GetDescription();
    bool written = false;
    try {
        m_pSnippo->SetTitle(dialog.m_strName);
        m_pSnippo->SetDescription(dialog.m_strDescription);
        written = m_pSnippo->WriteConfigFile(dialog.m_strTargetPath);
    } catch (...) {
        // The document keeps its own name whatever went wrong with the template.
        try {
            m_pSnippo->SetTitle(oldTitle);
            m_pSnippo->SetDescription(oldDescription);
        } catch (...) {
        }
        throw;
    }
    AskUser(frame(), written ? tr("Save as the template success!") : tr("Save as the template failure!"));
    m_pSnippo->SetTitle(oldTitle);
    m_pSnippo->SetDescription(oldDescription);
}

bool CTessalyToolDoc::CanCopySupportFiles()
{
    if (!m_pSnippo)
        return false;
    try {
        return m_pSnippo->GetResourceNumber() != 0;
    } catch (const CAutomationException&) {
        return false;
    }
}

void CTessalyToolDoc::OnFileCopySupportFiles()
{
    if (!CanCopySupportFiles())
        return;
    QString folder = ChooseFolder(frame(), tr("Choose a directory"));
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QString file = folder.endsWith('/') ? folder + "copyres.qwd" : folder + "/copyres.qwd";
    bool written = false;
    try {
        written = m_pSnippo->WriteConfigFile(file);
    } catch (...) {
        QFile::remove(file);
        throw;
    }
    QFile::remove(file);
    AskUser(frame(),
            (written ? tr("Copy support files to %1 success!") : tr("Copy support files to %1 failure!")).arg(folder));
}

void CTessalyToolDoc::OnHelpViewSample()
{
    if (!m_pSnippo)
        return;
    if (CTessalyToolApp* app = CTessalyToolApp::Instance())
        app->LaunchBrowser(m_pSnippo->m_strSamplePage);
}

}  // namespace snippo
