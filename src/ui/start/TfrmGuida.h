#pragma once

#include "shell/DialogWindow.h"

class LinkLabel;
class PictureButton;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The help window: one topic's title and paragraphs, and the way to the PDF manual.
class TfrmGuida final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* opener = nullptr);

    // Puts a topic on show: its title and its paragraphs, already joined.
    void showTopic(const QString& title, const QString& text);

    QLabel* imgLogo;
    QLabel* lblTitolo;
    QPlainTextEdit* txtGuida;
    PictureButton* imgPDF;
    LinkLabel* lnkWeb;
    QPushButton* btnChiudi;

private:
    void lnkWebClick();
    void btnChiudiClick();
};
