#include "trainees/notekaramooz1.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <array>

#include "platform/BusyMessages.h"
#include "platform/Bindings.h"
#include "platform/DataControl.h"
#include "platform/MsgBox.h"
#include "shell/Module1.h"
#include "trainees/noteadd.h"

using namespace Module1;

namespace {
void warn(const QString &text) { MsgBox(text, Msg::vbExclamation, QString()); }

void tellNotesUnreadable() { warn(QStringLiteral(" اطلاعات تحقيق ها از پايگاه داده خوانده نشد ")); }

// A file in use is told as such, never as unreadable.
void tellNotesUnreadable(const Db::DbError &error) {
    if (!Db::TellIfBusy(error))
        tellNotesUnreadable();
}

// What a new note fills in, and the order of the list that shows it once stored.
const QStringList NoteFields = {QStringLiteral("name"),   QStringLiteral("relation"), QStringLiteral("kid"),
                                QStringLiteral("title"),  QStringLiteral("source"),   QStringLiteral("context"),
                                QStringLiteral("ID")};

// Each button of a grid's bar stands over its own column: the columns but the last keep these
// widths, the last takes the rest, and the buttons follow the columns.
constexpr int EndButtonWidth = 28; // also the room kept beside the notes grid under "V"
constexpr std::array<int, 3> NoteColumnWidths = {70, 250, 170};
constexpr std::array<int, 1> HeadingColumnWidths = {90};

template <size_t N>
void alignBar(QTableView *grid, const std::array<QPushButton *, N> &buttons, const std::array<int, N - 1> &widths) {
    grid->verticalHeader()->hide();
    QHeaderView *header = grid->horizontalHeader();
    header->setMinimumSectionSize(EndButtonWidth);
    header->setStretchLastSection(true);
    const auto follow = [header, buttons] {
        for (size_t i = 0; i < N; ++i)
            buttons[i]->setFixedWidth(header->sectionSize(int(i)));
    };
    const auto sizeColumns = [header, widths, follow] {
        for (size_t i = 0; i + 1 < N; ++i)
            header->resizeSection(int(i), widths[i]);
        follow();
        // After a new query the header stretches its last column later, and says so to no one.
        QMetaObject::invokeMethod(header, follow, Qt::QueuedConnection);
    };
    Guard::Connect(header, &QHeaderView::sectionResized, grid, follow);
    Guard::Connect(header, &QHeaderView::geometriesChanged, grid, follow);
    Guard::Connect(grid->model(), &QAbstractItemModel::modelReset, grid, sizeColumns);
    sizeColumns();
}
} // namespace

void notekaramooz1::Connect() {
    auto &u = ui();
    Adodc7 = new DataControl(Widget());
    Adodc10 = new DataControl(Widget());
    Adodc11 = new DataControl(Widget());

    Bindings::BindGrid(u.DataGrid4, Adodc7,
                       {{QStringLiteral("کد"), QStringLiteral("ID")},
                        {QStringLiteral("عنوان موضوع "), QStringLiteral("title")},
                        {QStringLiteral("  سر فصل "), QStringLiteral("relation")},
                        {QStringLiteral("توسط"), QStringLiteral("name")}});
    alignBar(u.DataGrid4, std::array{u.Command20, u.Command21, u.Command1, u.Command3}, NoteColumnWidths);
    // "O" is as wide as "V"; what it reaches past the grid's scroll bar is kept free beside the grid.
    u.Command2->setFixedWidth(EndButtonWidth);
    u.Command6->setFixedWidth(EndButtonWidth);
    const int scrollBarSide = u.DataGrid4->verticalScrollBar()->sizeHint().width() + 2 * u.DataGrid4->frameWidth();
    u.underO->changeSize(std::max(0, EndButtonWidth - scrollBarSide), 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    Bindings::Bind(u.Text10, Adodc7, QStringLiteral("context"));
    Bindings::Bind(u.Text13, Adodc7, QStringLiteral("name"));
    Bindings::Bind(u.Text1, Adodc7, QStringLiteral("relation"));
    Bindings::Bind(u.Text15, Adodc7, QStringLiteral("title"));
    Bindings::Bind(u.Text2, Adodc7, QStringLiteral("source"));
    Bindings::Bind(u.Text14, Adodc7, QStringLiteral("context"));
    Bindings::Bind(u.Text3, Adodc7, QStringLiteral("kid"));

    Bindings::BindGrid(u.DataGrid1, Adodc10,
                       {{QStringLiteral("شماره"), QStringLiteral("id")}, {QStringLiteral("درس"), QStringLiteral("name")}});
    alignBar(u.DataGrid1, std::array{u.Command5, u.Command4}, HeadingColumnWidths);
    Bindings::Bind(u.Text18, Adodc10, QStringLiteral("name"));

    Bindings::Bind(u.txtedit, Adodc11, QStringLiteral("passedit"));

    const auto click = [this](QAbstractButton *button, void (notekaramooz1::*handler)()) {
        OnClick(*this, button, handler);
    };
    click(u.Command20, &notekaramooz1::Command20_Click);
    click(u.Command21, &notekaramooz1::Command21_Click);
    click(u.Command1, &notekaramooz1::Command1_Click);
    click(u.Command3, &notekaramooz1::Command3_Click);
    click(u.Command2, &notekaramooz1::Command2_Click);
    click(u.cmdnew, &notekaramooz1::cmdnew_Click);
    click(u.cmd33, &notekaramooz1::cmd33_Click);
    click(u.cmd11, &notekaramooz1::cmd11_Click);
    On(*this, u.Combo2, &QComboBox::activated, [this] { Combo2_Click(); });
    On(*this, u.DataGrid4, &QTableView::clicked, [this] { DataGrid4_Click(); });
    On(*this, u.DataGrid4, &QTableView::doubleClicked, [this] { DataGrid4_DblClick(); });
}

void notekaramooz1::Disconnect() { Adodc7 = Adodc10 = Adodc11 = nullptr; }

void notekaramooz1::Form_Load() {
    // One message is enough: what the first read could not reach, the others cannot either.
    if (open(*Adodc7, QStringLiteral("SELECT * FROM notekaramooz")) &&
        open(*Adodc11, QStringLiteral("SELECT * FROM setting")) &&
        open(*Adodc10, QStringLiteral("SELECT * FROM relationnotekar")))
        fillHeadings();
    setTabOn(NoteTab, false);
    setTabOn(HeadingTab, false);
}

bool notekaramooz1::open(DataControl &data, const QString &source) {
    data.ConnectionString = ConnectionString;
    data.CommandType = DataControl::adCmdText;
    data.RecordSource = source;
    try {
        data.Refresh();
    } catch (const Db::DbError &error) {
        tellNotesUnreadable(error);
        return false;
    }
    return true;
}

// Once per opening, in the order the rows come; equal names give equal items.
void notekaramooz1::fillHeadings() {
    Recordset &headings = Adodc10->Recordset();
    const int n = headings.RecordCount();
    try {
        for (LoopIndex = 1; LoopIndex.toInt() <= n; LoopIndex = LoopIndex.toInt() + 1) {
            ui().Combo2->addItem(Bindings::DisplayText(headings.Value(QStringLiteral("name"))));
            headings.MoveNext();
        }
    } catch (const Db::DbError &error) {
        // No list of some headings: none can be chosen.
        ui().Combo2->clear();
        tellNotesUnreadable(error);
    }
    // Nothing is chosen until the user chooses.
    ui().Combo2->setCurrentIndex(-1);
}

QString notekaramooz1::chosenHeading() {
    const int at = ui().Combo2->currentIndex();
    return at < 0 ? QString() : ui().Combo2->itemText(at);
}

void notekaramooz1::setTabOn(Tab tab, bool on) {
    // Qt moves off a current tab that is switched off; the window keeps showing it, as its layout does.
    QTabWidget *tabs = ui().SSTab1;
    const int current = tabs->currentIndex();
    tabs->setTabEnabled(tab, on);
    tabs->setCurrentIndex(current);
}

void notekaramooz1::Combo2_Click() {
    Recordset &notes = Adodc7->Recordset();
    // The heading is compared as a value: quotes in it are just letters.
    try {
        if (notes.IsOpen())
            notes.SetFilter(QStringLiteral("relation"), chosenHeading());
    } catch (const Db::DbError &error) {
        tellNotesUnreadable(error);
        return;
    }
    if (notes.RecordCount() >= 1)
        ui().DataGrid4->setEnabled(true);
    ui().Label24->setText(ui().Combo2->currentText());
    if (Adodc10->Recordset().RecordCount() >= 1) {
        setTabOn(NoteTab, true);
        ui().Command20->setEnabled(true);
        ui().Command21->setEnabled(true);
    }
}

// The heading filter stays.
void notekaramooz1::sortNotes(const QString &field) {
    try {
        if (Adodc7->Recordset().IsOpen())
            Adodc7->Recordset().Sort(field);
    } catch (const Db::DbError &error) {
        tellNotesUnreadable(error);
    }
}

void notekaramooz1::Command20_Click() { sortNotes(QStringLiteral("ID")); }
void notekaramooz1::Command21_Click() { sortNotes(QStringLiteral("title")); }
void notekaramooz1::Command1_Click() { sortNotes(QStringLiteral("relation")); }
void notekaramooz1::Command3_Click() { sortNotes(QStringLiteral("name")); }

// Its action is not settled; it does nothing.
void notekaramooz1::Command2_Click() {}

void notekaramooz1::DataGrid4_Click() {
    if (Adodc7->Recordset().RecordCount() >= 1)
        ui().DataGrid4->setEnabled(true);
}

void notekaramooz1::DataGrid4_DblClick() {
    if (Adodc7->Recordset().RecordCount() > 0) {
        ui().SSTab1->setCurrentIndex(NoteTab);
        ui().Text13->setReadOnly(true);
        ui().Text14->setReadOnly(true);
        ui().Text15->setReadOnly(true);
    }
}

void notekaramooz1::setBound(QLineEdit *box, const QString &field, const QString &value) {
    box->setText(value);
    Adodc7->Recordset().SetValue(field, value);
}

void notekaramooz1::setBound(QTextEdit *box, const QString &field, const QString &value) {
    box->setPlainText(value); // the binding puts it into the row
    Adodc7->Recordset().SetValue(field, value);
}

void notekaramooz1::cmdnew_Click() {
    const QString heading = chosenHeading();
    if (heading.isEmpty()) {
        MsgBox(QStringLiteral(" لطفا سر فصل مورد نظر خود راانتخاب کن "), Msg::vbExclamation, QString());
        return;
    }
    // Notes that cannot be read, or not as a new note fills them, take no new note.
    try {
        if (!Adodc7->Recordset().IsOpen()) {
            tellNotesUnreadable();
            return;
        }
        Adodc7->Recordset().RequireFields(NoteFields);
    } catch (const Db::DbError &error) {
        tellNotesUnreadable(error);
        return;
    }
    CurrentLessonName = heading;
    Forms::Get<noteadd>().ShowModal();
    if (StartMode != 1)
        return;
    auto &u = ui();
    u.SSTab1->setCurrentIndex(NoteTab);
    u.cmd11->setEnabled(true);
    u.cmd33->setEnabled(true);
    u.Text15->setReadOnly(false);
    u.Text14->setReadOnly(false);
    u.Text2->setReadOnly(false);
    u.Text15->setFocus();
    Adodc7->Recordset().AddNew();
    setTabOn(HeadingTab, false);
    setTabOn(NotesTab, false);
    // Filled by the program from the confirmed trainee and the chosen heading; never typed.
    setBound(u.Text13, QStringLiteral("name"), SelectedTraineeName);
    setBound(u.Text1, QStringLiteral("relation"), chosenHeading());
    setBound(u.Text3, QStringLiteral("kid"), EnteredNationalCode);
}

void notekaramooz1::endEntry() {
    auto &u = ui();
    u.cmd33->setEnabled(false);
    u.cmd11->setEnabled(false);
    u.Text2->setReadOnly(true);
    u.Text15->setReadOnly(true);
    u.Text14->setReadOnly(true);
    u.Text13->setReadOnly(true);
}

void notekaramooz1::cmd33_Click() {
    auto &u = ui();
    if (u.Text15->text().trimmed().isEmpty() || u.Text2->text().trimmed().isEmpty() ||
        u.Text14->toPlainText().trimmed().isEmpty()) {
        MsgBox(QStringList{QStringLiteral(" : گزينه هاي زير را به صورت صحيح تکميل کنيد  "), QStringLiteral("----------------------------"), QStringLiteral(" عنوان موضوع "),
                           QStringLiteral("  منبع موضوع "), QStringLiteral(" تشريح موضوع ")}
                   .join(QStringLiteral("\r\n")),
               Msg::vbExclamation + Msg::vbMsgBoxRight, QString());
        return;
    }
    const auto yeh = [](QString text) { return text.replace(QStringLiteral("?"), QStringLiteral("ي")); };
    try {
        setBound(u.Text14, QStringLiteral("context"), yeh(u.Text14->toPlainText()));
        setBound(u.Text15, QStringLiteral("title"), yeh(u.Text15->text()));
        setBound(u.Text2, QStringLiteral("source"), yeh(u.Text2->text()));
        Adodc7->Recordset().Update();
    } catch (const Db::DbError &error) {
        // Nothing typed is lost: the note stays pending for another Save or a Cancel.
        if (!Db::TellIfBusy(error))
            warn(QStringLiteral(" يادداشت در پايگاه داده ذخيره نشد؛ متن شما در کادرها مانده است. دوباره ذخيره کنيد يا انصراف دهيد "));
        return;
    }
    // All headings' notes again; the combo and Label24 keep the heading.
    if (open(*Adodc7, QStringLiteral("SELECT * FROM notekaramooz")))
        sortNotes(QStringLiteral("id"));
    endEntry();
    setTabOn(NotesTab, true);
    setTabOn(NoteTab, true);
    u.SSTab1->setCurrentIndex(NotesTab);
}

void notekaramooz1::cmd11_Click() {
    Adodc7->Recordset().CancelUpdate();
    open(*Adodc7, QStringLiteral("SELECT * FROM notekaramooz"));
    endEntry();
    setTabOn(NotesTab, true);
    ui().SSTab1->setCurrentIndex(NotesTab);
}
