#pragma once

#include "ImportSource.h"

#include <QFile>
#include <QStringDecoder>

#include <memory>
#include <optional>

// A CSV or text file whose first row names the columns. The separator is found from that row
// (comma, semicolon or tab, whichever it holds most of, outside quotes); quotes are those of
// RFC 4180: a quoted cell holds separators, line breaks and doubled quotes. The text is UTF-8 with
// or without its mark, UTF-16 with its mark, and otherwise Windows-1252: a file that is not valid
// UTF-8 throughout. Lines are ended by CR LF, LF or CR. Rows without any text are skipped.
class CsvReader final : public ImportSource {
public:
    // `file` is open for reading. Reads the headings; throws UserError.
    explicit CsvReader(std::unique_ptr<QFile> file);

    QString description() const override;
    bool next(SourceRow& row) override;
    qint64 progress() const override;
    qint64 progressEnd() const override;

private:
    enum class Encoding { Utf8, Windows1252, Utf16LittleEndian, Utf16BigEndian };

    void detectEncoding();
    bool isUtf8Throughout();
    void rewind();
    bool fill();
    int nextByte();
    int peekByte();
    void takeRun(QByteArray& cell, qsizetype& rowBytes, bool quoted);
    char chooseSeparator();
    bool readRecord(QList<QByteArray>& cells);
    QString decode(const QByteArray& bytes) const;

    std::unique_ptr<QFile> m_file;
    Encoding m_encoding = Encoding::Utf8;
    qint64 m_textStart = 0; // after the byte order mark
    char m_separator = ',';
    QByteArray m_buffer; // bytes of the text, UTF-8 for a UTF-16 file
    qsizetype m_at = 0;
    std::optional<QStringDecoder> m_utf16;
    qint64 m_line = 1; // of the next byte
};
