#include "host/doc.h"

#include "host/app.h"
#include "host/automation_error.h"
#include "host/dlg_new.h"
#include "host/dlg_save_as_template.h"
#include "host/mainframe.h"
#include "host/prompts.h"
#include "host/resource.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace snippo {

namespace {

QWidget* frame()
{
    CTessalyToolApp* app = CTessalyToolApp::Instance();
    return app != nullptr ? app->MainFrame() : nullptr;
}

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

// The framework's own check before a document is read: the file must open for reading.
// Reports why it cannot, in the framework's words.
bool frameworkOpenFile(const QString& path)
{
    QByteArray native = QFile::encodeName(path);
    struct stat st {};
    int err = 0;
    if (::stat(native.constData(), &st) != 0) {
        err = errno;
    } else if (S_ISDIR(st.st_mode)) {
        err = EISDIR;
    } else {
        int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            err = errno;
        else
            ::close(fd);
    }
    if (err == 0)
        return true;
    QString message;
    switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
        message = path + "\nThis file cannot be found.\nCheck that the path and the file name are correct.";
        break;
    case EACCES:
    case EPERM:
        message = "Unable to read from " + path + ": access is denied.";
        break;
    case EISDIR:
        message = "Unable to open " + path + ": it is a folder, not a document.";
        break;
    default:
        message = "An unexpected error occurred while reading " + path + ".";
        break;
    }
    CPrompts::MessageBox(frame(), message);
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
            app->AddToRecentFileList(path.toStdString());
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
        CPrompts::MessageBox(frame(), QString("Create the dispatch of the ") + text::kProgID + " Error!");
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
    if (!widget->ReadConfigFile(path.toStdString())) {
        CPrompts::MessageBox(frame(), "Open " + path + " Error!");
        return false;
    }
    if (widget->GetProgID() != text::kProgID) {
        CPrompts::MessageBox(frame(), QString("This File is not saved by ") + text::kAppTitle + "!");
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
        written = m_pSnippo->WriteConfigFile(path.toStdString());
    }
    if (!written) {
        CPrompts::MessageBox(frame(), "Save to " + path + " Error!");
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
    switch (CPrompts::MessageBox(frame(), "Save changes to " + name + "?", MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes:
        return DoFileSave();
    case MsgAnswer::No:
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
        newName = CPrompts::GetSaveFileName(frame(), "Save As", text::kFileFilter, text::kFileExtension, proposed);
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
    dialog.m_strName = q(m_pSnippo->GetTitle());
    dialog.m_strDescription = q(m_pSnippo->GetDescription());
    if (dialog.DoModal() != QDialog::Accepted)
        return;

    std::string oldTitle = m_pSnippo->GetTitle();
    std::string oldDescription = m_pSnippo->GetDescription();
    bool written = false;
    try {
        m_pSnippo->SetTitle(dialog.m_strName.toStdString());
        m_pSnippo->SetDescription(dialog.m_strDescription.toStdString());
        written = m_pSnippo->WriteConfigFile(dialog.m_strTargetPath.toStdString());
    } catch (...) {
        // The document keeps its own name whatever went wrong with the template.
        try {
            m_pSnippo->SetTitle(oldTitle);
            m_pSnippo->SetDescription(oldDescription);
        } catch (...) {
        }
        throw;
    }
    CPrompts::MessageBox(frame(), written ? "Save as the template success!" : "Save as the template failure!");
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
    QString folder = CPrompts::GetExistingDirectory(frame(), "Choose a directory");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QString file = folder.endsWith('/') ? folder + "copyres.qwd" : folder + "/copyres.qwd";
    bool written = false;
    try {
        written = m_pSnippo->WriteConfigFile(file.toStdString());
    } catch (...) {
        QFile::remove(file);
        throw;
    }
    QFile::remove(file);
    CPrompts::MessageBox(frame(), "Copy support files to " + folder + (written ? " success!" : " failure!"));
}

void CTessalyToolDoc::OnHelpViewSample()
{
    if (!m_pSnippo)
        return;
    if (CTessalyToolApp* app = CTessalyToolApp::Instance())
        app->LaunchBrowser(m_pSnippo->m_strSamplePage);
}

}  // namespace snippo
