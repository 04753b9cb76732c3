// A model, the "Button Properties" dialog on it (started as Config starts it, but shown
// without its own modal loop) and functions that act like the user: clicks into the editor
// view, typing into fields. Message boxes are answered by the fixture's PromptRecorder, colour
// dialogs and sub-dialogs by the test through the ui_services hooks.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "widget/editor/draw_view.h"
#include "widget/editor/editor_state.h"
#include "widget/editor/preview_wnd.h"
#include "widget/model/applet_parameters.h"
#include "widget/server/dialogs/dlg_button_properties.h"
#include "widget/server/dialogs/menu_property_sheet.h"
#include "widget/server/dialogs/property_page.h"
#include "widget/server/dialogs/ui_services.h"
#include "prompt_recorder.h"

namespace snippo::test {

inline void DrainEvents()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// A temporary folder, removed at the end.
class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/snippo-dialogs-XXXXXX";
        m_path = mkdtemp(pattern) ? pattern : "";
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name, const std::string& content = "data") const
    {
        const std::string path = m_path + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

private:
    std::string m_path;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SNIPPO_REGISTRY", (m_temp.Path() + "/registry").c_str(), 1);
        ModalRunner::ClearHandlers();
        // Every test starts like the first Config of a process.
        SharedPages() = RememberedPages{};
        SetLastShownState(1);
        m_params = std::make_unique<CAppletParameters>();
    }
    void TearDown() override
    {
        if (m_dlg) {
            m_dlg->close();
            m_dlg.reset();
        }
        DrainEvents();
        ModalRunner::ClearHandlers();
    }

    // Starts the dialog as Config does, then shows it without a modal loop.
    void Open()
    {
        m_dlg = std::make_unique<CDlgButtonProperties>(m_params.get());
        m_dlg->OnInitDialog();
        m_dlg->show();
        DrainEvents();
    }

    CDrawRect* AddButton(const CRect& rect)
    {
        auto obj = std::make_unique<CDrawRect>(rect);
        auto* raw = obj.get();
        m_params->AddObject(std::move(obj));
        return raw;
    }

    CMenuPropertySheet* Sheet() const { return m_dlg->Sheet(); }
    CDrawView* View() const { return m_dlg->View(); }
    int Active() const { return Sheet()->GetActiveIndex(); }

    // A click of the left button into the editor view, as the user makes it.
    void ClickView(QPoint p, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(View(), Qt::LeftButton, modifiers, p);
        DrainEvents();
    }
    // Presses at `from`, drags to `to` and releases.
    void DragView(QPoint from, QPoint to)
    {
        QTest::mousePress(View(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(View(), QPoint((from.x() + to.x()) / 2, (from.y() + to.y()) / 2));
        QTest::mouseMove(View(), to);
        QTest::mouseRelease(View(), Qt::LeftButton, Qt::NoModifier, to);
        DrainEvents();
    }
    void ActivatePage(int index) { Sheet()->TabBar()->setCurrentIndex(index); }

    template <class T> T* Find(QWidget* parent, const char* name)
    {
        T* w = parent->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Replaces the text of an edit as the user does: select all and type.
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        edit->insert(text);
    }
    // Ends the editing of a field with Enter; a bad number is reported then.
    static void EndEditing(QLineEdit* edit) { QTest::keyClick(edit, Qt::Key_Return); }

    TempDir m_temp;
    PromptRecorder m_prompts;
    std::unique_ptr<CAppletParameters> m_params;
    std::unique_ptr<CDlgButtonProperties> m_dlg;
};

}  // namespace snippo::test
