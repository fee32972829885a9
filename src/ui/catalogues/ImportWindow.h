#pragma once

#include "import/CardImport.h"
#include "kinds/KindLook.h"
#include "shell/DialogWindow.h"

#include <QElapsedTimer>
#include <QStringList>

#include <optional>

class FieldChooserHeader;
class PictureButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;
class Shape;

// Imports the cards of a kind from another program's file (see core/import): the file, a grid of
// its first rows with the field each column goes to, where the cards go (a new archive or the end
// of one of the kind), then the import itself, with a progress bar and a stop button once it has
// taken a second, and its report, which can be printed. Opened by the kind's menu window, which
// opens the card window on the archive when the user asks for it after an import.
class ImportWindow : public DialogWindow {
    Q_OBJECT
public:
    ImportWindow(const Kind& kind, QWidget* opener);
    ~ImportWindow() override;

    const Kind& kind() const { return m_kind; }

    // The archive that "Apri l'archivio" asked to open (full path), once the window is closed;
    // empty otherwise.
    QString archiveToOpen() const { return m_archiveToOpen; }

    // The rows the grid shows at most.
    static constexpr int kPreviewRows = 20;

    Shape* shpTitolo;
    QLabel* lblTitolo;
    QLabel* lblFile;
    QLineEdit* txtFile;
    QPushButton* btnScegli;
    QLabel* lblFormato;
    QLabel* lblColonne;
    QTableWidget* grdAnteprima;
    QPlainTextEdit* txtRapporto;
    QRadioButton* rbNuovo;
    QLineEdit* txtNome;
    QRadioButton* rbEsistente;
    QComboBox* cboArchivi;
    QProgressBar* prgImportazione;
    QPushButton* btnInterrompi;
    Shape* shpPulsanti;
    PictureButton* imgGuida;
    QPushButton* cmdImporta;
    QPushButton* btnStampa;
    QPushButton* btnApri;
    PictureButton* imgEsci;

public slots:
    void btnScegliClick();
    void cmdImportaClick();
    void btnInterrompiClick();
    void btnStampaClick();
    void btnApriClick();
    void imgGuidaClick();
    void imgEsciClick();

protected:
    void FormShow() override;
    void reject() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void loadPreview(const QString& path);
    QList<int> chosenFields() const;
    std::optional<ImportTarget> chosenTarget();
    bool keepGoing(qint64 done, qint64 end);
    void setImporting(bool importing);
    void showReport(const ImportReport& report, const ImportTarget& target);

    const Kind& m_kind;
    QString m_path;       // the file shown in the grid
    QList<int> m_choices; // the field of each chooser entry after the first, which is none
    bool m_importing = false;
    bool m_stopAsked = false;
    QElapsedTimer m_clock; // since the import began
    FieldChooserHeader* m_header;
    QStringList m_report; // the lines of the last report
    QString m_reportTitle;
    QString m_importedPath;
    QString m_archiveToOpen;
};
