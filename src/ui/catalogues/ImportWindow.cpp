#include "ImportWindow.h"

#include "FieldChooserHeader.h"
#include "folder/ArchiveFolder.h"
#include "folder/ArchiveName.h"
#include "folder/ProgramFolder.h"
#include "help/HelpTopics.h"
#include "import/ColumnNames.h"
#include "import/ImportFile.h"
#include "output/ReportPrinter.h"
#include "shell/FileDialog.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "start/Help.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/PictureButton.h"
#include "widgets/RefusedCharacters.h"
#include "widgets/Shape.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <algorithm>

namespace {
constexpr QSize kClientSize(980, 680);
constexpr QRect kPanel(10, 10, 960, 660);
constexpr QRect kGridArea(16, 172, 928, 296);
constexpr QRect kBottomBar(16, 596, 928, 52);
constexpr QSize kPictureSize(36, 36);
constexpr int kColumnWidth = 170;
constexpr qint64 kQuietMilliseconds = 1000; // the progress bar shows after this

const QString kNoField = QStringLiteral("(non importare)");
const QString kChooseFileFirst = QStringLiteral("Attenzione: scegliere prima il file da importare.");
const QString kChooseAField =
    QStringLiteral("Attenzione: scegliere il campo della scheda di almeno una colonna, sopra la griglia.");

// "Cartavox - Importazione catalogo libri" is the caption; the title bar shows what follows the dash.
QString titleOf(const QString& caption)
{
    const QString text = Text::trimmed(caption);
    const qsizetype dash = text.indexOf(QLatin1String(" - "));
    return dash < 0 ? text : text.mid(dash + 3);
}

QLabel* textLabel(const QString& name, const QString& text, const QFont& font, const QRect& geometry, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    setTextColour(label, Look::kNavy);
    label->setGeometry(geometry);
    return label;
}

template <typename Widget> Widget* named(Widget* widget, const QString& name, const QRect& geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}
} // namespace

ImportWindow::ImportWindow(const Kind& kind, QWidget* opener)
    : DialogWindow(opener, KindLook::of(kind).importing.caption, kClientSize), m_kind(kind)
{
    const KindLook::Importing& look = KindLook::of(kind).importing;
    auto* panel = new Shape(QStringLiteral("shpSfondo"), this, QColor(255, 255, 255, 200), Look::kCardBlue, 8);
    panel->setGeometry(kPanel);

    shpTitolo = new Shape(QStringLiteral("shpTitolo"), this, Look::kCardBlue, Look::kNavy, 6);
    shpTitolo->setGeometry(kPanel.x() + 16, kPanel.y() + 12, 928, 44);
    lblTitolo = new QLabel(titleOf(look.caption), shpTitolo);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setFont(programFont(QStringLiteral("Verdana"), 18, true));
    setTextColour(lblTitolo, QColor(Qt::white));
    lblTitolo->setGeometry(0, 0, 928, 44);

    const QPoint at = kPanel.topLeft();
    const QFont bold = programFont(QStringLiteral("Verdana"), 11, true);
    const QFont plain = programFont(QStringLiteral("Verdana"), 11);

    lblFile = textLabel(QStringLiteral("lblFile"), QStringLiteral("File da importare:"), bold,
                        QRect(at + QPoint(16, 64), QSize(740, 22)), this);
    txtFile = named(new QLineEdit(this), QStringLiteral("txtFile"), QRect(at + QPoint(16, 88), QSize(740, 32)));
    txtFile->setFont(plain);
    txtFile->setReadOnly(true);
    txtFile->setPlaceholderText(QStringLiteral("Nessun file scelto"));
    lblFile->setBuddy(txtFile);
    btnScegli = Look::button(QStringLiteral("btnScegli"), QStringLiteral("Scegli il file..."), QSize(176, 34), this);
    btnScegli->move(at + QPoint(768, 87));

    lblFormato = textLabel(QStringLiteral("lblFormato"), {}, programFont(QStringLiteral("Verdana"), 10),
                           QRect(at + QPoint(16, 124), QSize(928, 20)), this);
    lblColonne = textLabel(QStringLiteral("lblColonne"),
                           QStringLiteral("Sopra ogni colonna, il campo della scheda che la riceve (le prime %1 righe "
                                          "del file):")
                               .arg(kPreviewRows),
                           bold, QRect(at + QPoint(16, 148), QSize(928, 22)), this);

    grdAnteprima = named(new QTableWidget(this), QStringLiteral("grdAnteprima"), kGridArea.translated(at));
    m_header = new FieldChooserHeader(grdAnteprima);
    grdAnteprima->setHorizontalHeader(m_header);
    grdAnteprima->setFont(programFont(QStringLiteral("Verdana"), 10));
    grdAnteprima->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdAnteprima->setSelectionMode(QAbstractItemView::NoSelection);
    grdAnteprima->setWordWrap(false);
    grdAnteprima->setAlternatingRowColors(true);
    grdAnteprima->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grdAnteprima->verticalHeader()->setDefaultSectionSize(21);
    grdAnteprima->horizontalHeader()->setFont(programFont(QStringLiteral("Verdana"), 10, true));
    grdAnteprima->setAccessibleName(QStringLiteral("Prime righe del file da importare"));

    txtRapporto = named(new QPlainTextEdit(this), QStringLiteral("txtRapporto"), kGridArea.translated(at));
    txtRapporto->setReadOnly(true);
    txtRapporto->setFont(programFont(QStringLiteral("Courier New"), 11));
    txtRapporto->setAccessibleName(QStringLiteral("Rapporto dell'importazione"));
    txtRapporto->hide();

    rbNuovo = named(new QRadioButton(look.newArchive, this), QStringLiteral("rbNuovo"),
                    QRect(at + QPoint(16, 478), QSize(440, 24)));
    rbNuovo->setFont(bold);
    txtNome = named(new QLineEdit(this), QStringLiteral("txtNome"), QRect(at + QPoint(16, 504), QSize(440, 32)));
    txtNome->setFont(programFont(QStringLiteral("Verdana"), 12));
    txtNome->setMaxLength(ArchiveName::kFieldCapacity);
    txtNome->setAccessibleName(QStringLiteral("Nome del nuovo archivio"));
    RefusedCharacters::install(txtNome, ArchiveName::isRefusedTypedCharacter);
    rbEsistente = named(new QRadioButton(look.existingArchive, this), QStringLiteral("rbEsistente"),
                        QRect(at + QPoint(488, 478), QSize(456, 24)));
    rbEsistente->setFont(bold);
    cboArchivi = named(new QComboBox(this), QStringLiteral("cboArchivi"), QRect(at + QPoint(488, 504), QSize(456, 32)));
    cboArchivi->setFont(programFont(QStringLiteral("Verdana"), 12));
    cboArchivi->setAccessibleName(QStringLiteral("Archivio esistente"));
    rbNuovo->setChecked(true);
    // Typing a name or picking an archive says which of the two is meant.
    connect(txtNome, &QLineEdit::textEdited, rbNuovo, [this] { rbNuovo->setChecked(true); });
    connect(cboArchivi, &QComboBox::activated, rbEsistente, [this] { rbEsistente->setChecked(true); });

    prgImportazione =
        named(new QProgressBar(this), QStringLiteral("prgImportazione"), QRect(at + QPoint(16, 552), QSize(740, 28)));
    prgImportazione->setRange(0, 1000);
    prgImportazione->setAccessibleName(QStringLiteral("Avanzamento dell'importazione"));
    prgImportazione->hide();
    btnInterrompi = Look::button(QStringLiteral("btnInterrompi"), QStringLiteral("Interrompi"), QSize(176, 34), this);
    btnInterrompi->move(at + QPoint(768, 549));
    btnInterrompi->hide();

    shpPulsanti = new Shape(QStringLiteral("shpPulsanti"), this, Look::kLightBlue, Look::kSteelBlue, 6);
    shpPulsanti->setGeometry(kBottomBar.translated(at));
    imgGuida = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral(":/images/guida_piccola.svg"),
                                 QStringLiteral("Guida"), kPictureSize, shpPulsanti);
    imgGuida->setToolTip(imgGuida->accessibleName());
    imgGuida->move(12, (kBottomBar.height() - kPictureSize.height()) / 2);
    imgEsci = new PictureButton(QStringLiteral("imgEsci"), QStringLiteral(":/images/esci_piccola.svg"),
                                QStringLiteral("Esci"), kPictureSize, shpPulsanti);
    imgEsci->setToolTip(imgEsci->accessibleName());
    imgEsci->move(kBottomBar.width() - 12 - kPictureSize.width(), (kBottomBar.height() - kPictureSize.height()) / 2);
    const QSize actionSize(200, 38);
    const int actionY = (kBottomBar.height() - actionSize.height()) / 2;
    cmdImporta = Look::button(QStringLiteral("cmdImporta"), QStringLiteral("Importa"), actionSize, shpPulsanti);
    cmdImporta->move(imgEsci->x() - 16 - actionSize.width(), actionY);
    btnApri = Look::button(QStringLiteral("btnApri"), QStringLiteral("Apri l'archivio"), actionSize, shpPulsanti);
    btnApri->move(cmdImporta->pos());
    btnApri->hide();
    btnStampa =
        Look::button(QStringLiteral("btnStampa"), QStringLiteral("Stampa il rapporto"), actionSize, shpPulsanti);
    btnStampa->move(btnApri->x() - 12 - actionSize.width(), actionY);
    btnStampa->hide();

    // Reading order: the file, its columns, where the cards go, then the bottom bar left to right.
    setTabOrder(btnScegli, grdAnteprima);
    setTabOrder(grdAnteprima, txtRapporto);
    setTabOrder(txtRapporto, rbNuovo);
    setTabOrder(rbNuovo, txtNome);
    setTabOrder(txtNome, rbEsistente);
    setTabOrder(rbEsistente, cboArchivi);
    setTabOrder(cboArchivi, btnInterrompi);
    setTabOrder(btnInterrompi, imgGuida);
    setTabOrder(imgGuida, btnStampa);
    setTabOrder(btnStampa, cmdImporta);
    setTabOrder(cmdImporta, btnApri);
    setTabOrder(btnApri, imgEsci);

    connect(btnScegli, &QPushButton::clicked, this, guarded(this, &ImportWindow::btnScegliClick));
    connect(cmdImporta, &QPushButton::clicked, this, guarded(this, &ImportWindow::cmdImportaClick));
    connect(btnInterrompi, &QPushButton::clicked, this, guarded(this, &ImportWindow::btnInterrompiClick));
    connect(btnStampa, &QPushButton::clicked, this, guarded(this, &ImportWindow::btnStampaClick));
    connect(btnApri, &QPushButton::clicked, this, guarded(this, &ImportWindow::btnApriClick));
    connect(imgGuida, &PictureButton::clicked, this, guarded(this, &ImportWindow::imgGuidaClick));
    connect(imgEsci, &PictureButton::clicked, this, guarded(this, &ImportWindow::imgEsciClick));
}

ImportWindow::~ImportWindow() = default;

void ImportWindow::FormShow()
{
    cboArchivi->clear();
    cboArchivi->addItems(ArchiveFolder::list(ProgramFolder::path(), m_kind));
    cboArchivi->setCurrentIndex(-1);
    btnScegli->setFocus();
}

void ImportWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), verticalGradient(Look::kCardBlue, Qt::white, height()));
}

void ImportWindow::btnScegliClick()
{
    FileDialog::Request request;
    request.title = QStringLiteral("Scegli il file da importare");
    request.filters = {QStringLiteral("Cataloghi (*.csv *.txt *.tsv *.xls *.htm *.html *.tc *.xml)"),
                       QStringLiteral("Tutti i file (*)")};
    const QString path = FileDialog::run(this, request);
    if (!path.isEmpty())
        loadPreview(path);
}

void ImportWindow::loadPreview(const QString& path)
{
    std::unique_ptr<ImportSource> source;
    QList<SourceRow> rows;
    try {
        source = ImportFile::open(path, m_kind);
        SourceRow row;
        while (rows.size() < kPreviewRows && source->next(row))
            rows.append(row);
    } catch (const UserError& error) {
        MessageBox::warning(this, error.text());
        return;
    }
    m_path = path;
    txtFile->setText(QDir::cleanPath(path));
    lblFormato->setText(source->description() + u'.');

    const QList<SourceColumn>& columns = source->columns();
    grdAnteprima->clear();
    grdAnteprima->setColumnCount(int(columns.size()));
    grdAnteprima->setRowCount(int(rows.size()));
    QStringList headings;
    for (const SourceColumn& column : columns)
        headings.append(column.heading);
    grdAnteprima->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).cells.size() && c < columns.size(); ++c)
            grdAnteprima->setItem(r, c, new QTableWidgetItem(Text::withControlsAsBlanks(rows.at(r).cells.at(c))));
    for (int c = 0; c < columns.size(); ++c)
        grdAnteprima->setColumnWidth(c, kColumnWidth);

    m_choices = ColumnNames::choosableFields(m_kind);
    QStringList choices{kNoField};
    for (const int field : std::as_const(m_choices))
        choices.append(ColumnNames::fieldHeading(m_kind, field));
    QList<int> chosen;
    for (const int field : ColumnNames::initialFields(m_kind, columns))
        chosen.append(int(m_choices.indexOf(field)) + 1); // none: -1 + 1
    m_header->setChoosers(choices, chosen);
}

QList<int> ImportWindow::chosenFields() const
{
    QList<int> fields;
    for (const int choice : m_header->chosen())
        fields.append(choice > 0 ? m_choices.at(choice - 1) : -1);
    return fields;
}

std::optional<ImportTarget> ImportWindow::chosenTarget()
{
    const KindLook& look = KindLook::of(m_kind);
    if (rbEsistente->isChecked()) {
        if (cboArchivi->currentIndex() < 0) {
            MessageBox::warning(this, look.importing.msgChooseArchive);
            cboArchivi->setFocus();
            return std::nullopt;
        }
        const QString fileName = cboArchivi->currentText();
        return ImportTarget{ProgramFolder::file(fileName), ArchiveFolder::archiveName(fileName), false};
    }
    // The create window's rules, in its order.
    const QString name = Text::trimmed(txtNome->text());
    QString refusal;
    if (name.isEmpty())
        refusal = look.catalogue.msgNameMissing;
    else if (ArchiveName::hasControlCharacters(name))
        refusal = ArchiveName::controlCharactersWarning();
    else if (!ArchiveName::staysInFolder(name))
        refusal = ArchiveName::outsideFolderWarning();
    else if (!ArchiveName::fitsFileSystem(name, ProgramFolder::path()))
        refusal = ArchiveName::tooLongWarning(ProgramFolder::path());
    else if (ArchiveFolder::isNameInUseAnywhere(name, m_kind))
        refusal = look.importing.msgNameInUse;
    if (!refusal.isEmpty()) {
        MessageBox::warning(this, refusal);
        txtNome->setFocus();
        return std::nullopt;
    }
    return ImportTarget{ProgramFolder::file(name + m_kind.extension), name, true};
}

void ImportWindow::cmdImportaClick()
{
    if (m_path.isEmpty()) {
        MessageBox::warning(this, kChooseFileFirst);
        return;
    }
    const QList<int> fields = chosenFields();
    if (std::all_of(fields.cbegin(), fields.cend(), [](int field) { return field < 0; })) {
        MessageBox::warning(this, kChooseAField);
        return;
    }
    const std::optional<ImportTarget> target = chosenTarget();
    if (!target)
        return;

    std::optional<ImportReport> report;
    QString failure;
    setImporting(true);
    try {
        const std::unique_ptr<ImportSource> source = ImportFile::open(m_path, m_kind);
        report = CardImport(m_kind, *source, fields).run(*target, [this](qint64 done, qint64 end) {
            return keepGoing(done, end);
        });
    } catch (const UserError& error) {
        failure = error.text();
    }
    setImporting(false);

    if (!failure.isEmpty()) {
        if (failure == CatalogueFile::accessErrorText())
            MessageBox::error(this, failure);
        else
            MessageBox::warning(this, failure);
    } else if (!report) {
        MessageBox::information(this, target->isNew
                                          ? QStringLiteral("L'importazione è stata interrotta: il nuovo archivio "
                                                           "non è stato creato.")
                                          : QStringLiteral("L'importazione è stata interrotta: l'archivio è rimasto "
                                                           "com'era, senza nessuna scheda nuova."));
    } else {
        showReport(*report, *target);
    }
}

bool ImportWindow::keepGoing(qint64 done, qint64 end)
{
    if (prgImportazione->isHidden() && m_clock.elapsed() >= kQuietMilliseconds) {
        prgImportazione->show();
        btnInterrompi->show();
        btnInterrompi->setEnabled(true);
        btnInterrompi->setFocus();
    }
    if (!prgImportazione->isHidden())
        prgImportazione->setValue(end > 0 ? int(std::clamp<qint64>(done * 1000 / end, 0, 1000)) : 0);
    // The stop button and the window's painting are served between two rows.
    QCoreApplication::processEvents();
    return !m_stopAsked;
}

void ImportWindow::setImporting(bool importing)
{
    m_importing = importing;
    m_stopAsked = false;
    m_clock.start();
    for (QWidget* control : QList<QWidget*>{btnScegli, grdAnteprima, rbNuovo, txtNome, rbEsistente, cboArchivi,
                                            imgGuida, cmdImporta, imgEsci})
        control->setEnabled(!importing);
    prgImportazione->setValue(0);
    prgImportazione->hide();
    btnInterrompi->hide();
    // The stop button had the focus; it goes back to where the import was started.
    if (!importing)
        cmdImporta->setFocus();
}

void ImportWindow::btnInterrompiClick()
{
    m_stopAsked = true;
    btnInterrompi->setEnabled(false);
}

void ImportWindow::reject()
{
    // Escape or the window manager's close while cards are being written: a request to stop, after
    // which the window stays to say how it ended.
    if (m_importing) {
        btnInterrompiClick();
        return;
    }
    DialogWindow::reject();
}

void ImportWindow::showReport(const ImportReport& report, const ImportTarget& target)
{
    m_report = report.lines();
    m_reportTitle = QStringLiteral("Importazione in %1 da %2").arg(target.archiveName, QFileInfo(m_path).fileName());
    m_importedPath = target.archivePath;
    lblColonne->setText(QStringLiteral("Rapporto dell'importazione in \"%1\":").arg(target.archiveName));
    txtRapporto->setPlainText(m_report.join(u'\n'));
    grdAnteprima->hide();
    txtRapporto->show();
    for (QWidget* control : QList<QWidget*>{btnScegli, rbNuovo, txtNome, rbEsistente, cboArchivi})
        control->setEnabled(false);
    cmdImporta->hide();
    btnStampa->show();
    btnApri->show();
    btnApri->setFocus();
}

void ImportWindow::btnStampaClick()
{
    try {
        ReportPrinter::printLines(this, m_reportTitle, m_report);
    } catch (const std::exception&) {
        MessageBox::warning(this, QStringLiteral("Attenzione: la stampa del rapporto non è andata a buon fine.\r\n\r\n"
                                                 "Controllare la stampante, o lo spazio libero sul disco se si stampa "
                                                 "su un file, e riprovare."));
    }
}

void ImportWindow::btnApriClick()
{
    m_archiveToOpen = m_importedPath;
    close();
}

void ImportWindow::imgGuidaClick()
{
    Help::showTopic(this, HelpTopics::kImportTitle);
}

void ImportWindow::imgEsciClick()
{
    close();
}
