#include "ExportWindow.h"

#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"
#include "folder/ProgramFolder.h"
#include "help/HelpTopics.h"
#include "kinds/KindLook.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "shell/OpenURL.h"
#include "start/Help.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"
#include "widgets/CodePageInput.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"
#include "widgets/StatusHints.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {
constexpr QSize kClientSize(862, 560);
constexpr QSize kPanelSize(837, 533);
constexpr QSize kIconSize(48, 50);
constexpr int kNumberWidth = 60;
constexpr int kRowHeight = 21;

const QString kAskToExport = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kExported =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kCannotExport = QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                             "Accertarsi che il file di Excel non sia già aperto.");

// The grid, with a way to finish the edit under way: a click on a picture takes no focus, so a
// cell being typed in would otherwise miss the export. Tab and Shift+Tab leave the grid for the
// pictures, from a cell being typed in too, whose edit they keep; the arrows move from cell to cell.
class Grid final : public QTableView {
public:
    explicit Grid(QWidget* parent) : QTableView(parent) { setTabKeyNavigation(false); }

    void finishEditing()
    {
        if (state() != EditingState)
            return;
        if (QWidget* editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        const bool next = hint == QAbstractItemDelegate::EditNextItem;
        const bool previous = hint == QAbstractItemDelegate::EditPreviousItem;
        if (!next && !previous) {
            QTableView::closeEditor(editor, hint);
            return;
        }
        // The delegate has committed the text already; the focus goes on out of the grid.
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        focusNextPrevChild(next);
    }
};

// A cell is typed in with the card fields' rule: the file is written in the archives' code page.
class CellEditing final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* field = qobject_cast<QLineEdit*>(editor))
            CodePageInput::refuseOthers(field);
        return editor;
    }
};

// The wait cursor while the file is written, restored however the writing ends.
class WaitCursor final {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};
} // namespace

ExportWindow::ExportWindow(const Kind& kind, QWidget* opener)
    : DialogWindow(opener, KindLook::of(kind).spreadsheet.caption, kClientSize), m_kind(kind),
      m_rows(new ExportRows(kind, this))
{
    setMouseTracking(true);
    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setGeometry(
        QRect(QPoint((kClientSize.width() - kPanelSize.width()) / 2, (kClientSize.height() - kPanelSize.height()) / 2),
              kPanelSize));
    shpSfondo = new Shape(QStringLiteral("shpSfondo"), panContainer, QColor(255, 255, 255, 200), Look::kCardBlue, 8);
    shpSfondo->setGeometry(QRect(QPoint(0, 0), kPanelSize));

    auto* grid = new Grid(panContainer);
    grdRecords = grid;
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setGeometry(8, 8, 821, 409);
    grdRecords->setFont(programFont(QStringLiteral("Verdana"), 12));
    grdRecords->setModel(m_rows);
    grdRecords->setItemDelegate(new CellEditing(grdRecords));
    grdRecords->setAlternatingRowColors(true);
    grdRecords->setWordWrap(false);
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    grdRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QPalette palette = grdRecords->palette();
    palette.setColor(QPalette::AlternateBase, QColor(0xEE, 0xF4, 0xFA));
    palette.setColor(QPalette::Highlight, Look::kSteelBlue);
    grdRecords->setPalette(palette);
    // Every row is as high as every other, so a grid of a whole archive needs no measuring.
    grdRecords->verticalHeader()->hide();
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->verticalHeader()->setDefaultSectionSize(kRowHeight);
    QHeaderView* header = grdRecords->horizontalHeader();
    header->setFont(programFont(QStringLiteral("Verdana"), 11, true));
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    setColumnWidths();

    grdRecords->setAccessibleName(QStringLiteral("Schede in archivio"));

    const std::tuple<PictureButton**, const char*, const char*, const char*> buttons[] = {
        {&cmdEsporta, "cmdEsporta", ":/images/tb_esporta.svg", "Esporta in Excel"},
        {&cmdGuida, "cmdGuida", ":/images/tb_guida.svg", "Guida"},
        {&cmdEsci, "cmdEsci", ":/images/tb_esci.svg", "Esci"},
    };
    for (const auto& [button, name, picture, meaning] : buttons)
        *button = new PictureButton(QLatin1String(name), QLatin1String(picture), QString::fromUtf8(meaning), kIconSize,
                                    panContainer);
    cmdEsporta->move(8, 432);
    cmdGuida->move(kPanelSize.width() - 8 - 2 * kIconSize.width() - 8, 432);
    cmdEsci->move(kPanelSize.width() - 8 - kIconSize.width(), 432);

    const Look::StatusBar status = Look::statusBar(panContainer, QRect(8, 497, 821, 28),
                                                   QStringLiteral("Esportazione archivio in Microsoft Excel."));
    shpInfo = status.bar;
    panInfo = status.line;

    m_hints = new StatusHints(panInfo);
    m_hints->addHint(cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    m_hints->addHint(cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    m_hints->addHint(cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro."));
    // The grid clears the line wherever it is pointed at: its cells, headers and scroll bars.
    for (QWidget* area : QList<QWidget*>{this, panContainer, shpSfondo, shpInfo, grdRecords})
        m_hints->addClearingArea(area);
    for (QWidget* part : grdRecords->findChildren<QWidget*>())
        m_hints->addClearingArea(part);

    connect(cmdEsporta, &PictureButton::clicked, this, guarded(this, &ExportWindow::cmdEsportaClick));
    connect(cmdGuida, &PictureButton::clicked, this, guarded(this, &ExportWindow::cmdGuidaClick));
    connect(cmdEsci, &PictureButton::clicked, this, guarded(this, &ExportWindow::cmdEsciClick));
}

ExportWindow::~ExportWindow() = default;

void ExportWindow::setColumnWidths()
{
    grdRecords->setColumnWidth(0, kNumberWidth);
    for (int k = 0; k < m_kind.spreadsheet.columns.size(); ++k)
        grdRecords->setColumnWidth(k + 1, KindLook::of(m_kind).spreadsheet.gridWidths.at(k));
}

void ExportWindow::setCard(const CardHandoff& card)
{
    m_archivePath = Text::trimmed(card.archivePath);
}

void ExportWindow::FormShow()
{
    // A failure while loading is not reported: the grid shows the cards read until then.
    if (m_rows->holdsCard(0))
        return;
    m_archiveRead = m_rows->load(m_archivePath);
    setColumnWidths();
}

void ExportWindow::keyPressEvent(QKeyEvent* event)
{
    // The window closes through its exit picture only: an Escape after the one that ends a cell's
    // edit would otherwise throw every edit of the grid away without a word.
    if (event->key() == Qt::Key_Escape)
        return;
    DialogWindow::keyPressEvent(event);
}

void ExportWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), verticalGradient(Look::kCardBlue, Qt::white, height()));
}

void ExportWindow::cmdEsportaClick()
{
    static_cast<Grid*>(grdRecords)->finishEditing();
    // The grid of an archive that could not be read whole holds no card or only some: written
    // out, it would replace a good earlier export with a part of the archive.
    if (!m_archiveRead) {
        MessageBox::plain(this, CatalogueFile::accessErrorText());
        return;
    }
    if (!MessageBox::confirm(this, kAskToExport))
        return;
    const QString path = ProgramFolder::file(m_kind.spreadsheet.fileName);
    // Every export of a kind goes to the same file: an export of another archive, and what was
    // done to it in the spreadsheet program since, is replaced only when the user says so.
    const QFileInfo existing(path);
    if ((existing.isFile() || existing.isSymLink()) &&
        !MessageBox::confirm(this,
                             QStringLiteral("Il file %1 esiste già. Sostituirlo?").arg(m_kind.spreadsheet.fileName)))
        return;
    bool saved = false;
    {
        const WaitCursor wait;
        saved = SpreadsheetWriter::save(path, *m_rows);
    }
    if (!saved) {
        MessageBox::plain(this, kCannotExport);
        return;
    }
    if (MessageBox::confirm(this, kExported))
        TMisc::Open(u'"' + path + u'"');
}

void ExportWindow::cmdGuidaClick()
{
    Help::showTopic(this, m_kind.exportHelpTopic);
}

void ExportWindow::cmdEsciClick()
{
    close();
}
