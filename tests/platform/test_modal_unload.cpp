// A window unloaded while a modal window that it opened is still open: the unload waits for it.
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "platform/FileDialog.h"
#include "platform/Form.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"

namespace {

// A window with one label's worth of controls, enough to be loaded and unloaded.
class PlainForm : public FormBase {
public:
    explicit PlainForm(const QString &name) : FormBase(name) {}
    int loads = 0, unloads = 0;

protected:
    void CreateControls(FormWidget *widget) override { widget->resize(200, 100); }
    void DestroyControls() override {}
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
};
class Outer : public PlainForm {
public:
    Outer() : PlainForm(QStringLiteral("Outer")) {}
};
class Inner : public PlainForm {
public:
    Inner() : PlainForm(QStringLiteral("Inner")) {}
};

// Runs work once the event loop turns (inside whatever modal window is open by then).
void Soon(std::function<void()> work) { QTimer::singleShot(0, qApp, std::move(work)); }

// Closes the modal window open now, as its cancel would.
void CloseOpenModal() {
    if (QWidget *open = QApplication::activeModalWidget())
        if (auto *dialog = qobject_cast<QDialog *>(open))
            dialog->reject();
}

struct ChildCase {
    const char *name;
    // Opens the outer window's modal child and returns once it has closed.
    std::function<void(Outer &)> open;
};

class ModalUnloadTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        // Real modal loops, real boxes and dialogs.
        Modal::SetHandler(nullptr);
        Msg::SetHandler(nullptr);
    }
};

TEST_F(ModalUnloadTest, AnUnloadUnderAnOpenModalChildWaitsForIt) {
    const ChildCase children[] = {
        {"message box", [](Outer &) { MsgBox(QStringLiteral("پیام"), Msg::vbInformation, QString()); }},
        {"save dialog",
         [](Outer &outer) {
             FileDialog::GetSaveFileName(outer.Widget(), QStringLiteral("Save Chart"), QDir::tempPath(),
                                         QStringLiteral(" *.jpg"));
         }},
        {"nested window", [](Outer &) { Forms::Get<Inner>().ShowModal(); }},
    };
    for (const ChildCase &child : children) {
        SCOPED_TRACE(child.name);
        Outer &outer = Forms::Get<Outer>();
        const int unloadsBefore = outer.unloads;
        bool unloadedUnderChild = true, loadedAfterChild = false, childWasOpen = false;
        Soon([&] {
            // The outer window is open: it opens its child, and is unloaded while the child is open.
            Soon([&] {
                childWasOpen = QApplication::activeModalWidget() != outer.Widget();
                EXPECT_FALSE(outer.Unload());
                unloadedUnderChild = !outer.IsLoaded();
                CloseOpenModal();
            });
            child.open(outer);
            // Back in the outer window's handler: its controls are still there.
            loadedAfterChild = outer.IsLoaded() && outer.Widget()->isVisible();
        });
        outer.ShowModal(); // returns once the waiting unload has closed it
        ProcessEvents();
        EXPECT_TRUE(childWasOpen);
        EXPECT_FALSE(unloadedUnderChild);
        EXPECT_TRUE(loadedAfterChild);
        EXPECT_FALSE(outer.IsLoaded());
        EXPECT_EQ(outer.unloads, unloadsBefore + 1);
        EXPECT_EQ(Modal::Depth(), 0);
    }
}

TEST_F(ModalUnloadTest, AWindowUnloadsAtOnceWhenNoChildIsOpen) {
    Outer &outer = Forms::Get<Outer>();
    Soon([&] { EXPECT_TRUE(outer.Unload()); });
    outer.ShowModal();
    EXPECT_FALSE(outer.IsLoaded());
    EXPECT_EQ(outer.unloads, 1);

    // The child itself may close its own window from inside.
    Inner &inner = Forms::Get<Inner>();
    Soon([&] { Soon([&] { EXPECT_TRUE(inner.Unload()); }); inner.ShowModal(); outer.Unload(); });
    outer.ShowModal();
    ProcessEvents();
    EXPECT_FALSE(inner.IsLoaded());
    EXPECT_FALSE(outer.IsLoaded());
}

TEST_F(ModalUnloadTest, AWaitingUnloadOfAnEndedWindowIsDropped) {
    Outer &outer = Forms::Get<Outer>();
    Soon([&] {
        Soon([&] {
            outer.Unload();
            CloseOpenModal();
        });
        MsgBox(QStringLiteral("پیام"));
        Forms::DestroyAll(); // the end of the run, with the unload still waiting
    });
    outer.ShowModal();
    ProcessEvents();
    SUCCEED();
}

} // namespace
