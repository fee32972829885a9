#pragma once

#include "ImportSource.h"
#include "ZipArchive.h"
#include "storage/Kind.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include <memory>

// A collection of Tellico: a .tc file, which is a zip of "tellico.xml" and the pictures in
// "images/", or the XML alone, with its pictures inside it as text. The collection must be of
// `kind` (books, comic books or videos). Each field of the collection is a column, headed by its
// title and known also by its name; each entry a row. Several values of a field are joined with
// ", ", the columns of a table row ("actor", "role") as "actor (role)". The first picture field
// gives the row's cover: a picture of the file, or a file beside it, by its name, when Tellico
// only links to it.
//
// The XML is read in pieces with QXmlStreamReader, which never reads an external entity and
// expands internal ones only to a few thousand characters; elements, depth and the whole XML are
// bounded (ImportLimits).
class TellicoReader final : public ImportSource {
public:
    // `file`, the file at `path`, is open for reading at its start; `zipped` tells the .tc from the
    // XML. Reads the collection's fields; throws UserError, also for a collection of another kind
    // and for a zip that holds no Tellico file.
    TellicoReader(std::unique_ptr<QFile> file, const QString& path, bool zipped, const Kind& kind);
    ~TellicoReader() override;

    QString description() const override;
    bool next(SourceRow& row) override;
    qint64 progress() const override { return m_xmlBytesRead; }
    qint64 progressEnd() const override { return m_xmlSize; }
    void readPictures(const QSet<QString>& wanted, const PictureFound& found) override;

private:
    struct Value {
        QString name; // of the element that holds it
        QString text;
    };

    QXmlStreamReader::TokenType readNext();
    bool feed();
    void skipElement();
    void readCollectionStart(const Kind& kind);
    void readFields();
    void readEntry(SourceRow& row);
    QStringList readValues(QString& valueName);
    Value readValue();
    QString readText();
    void readEmbeddedPictures(QSet<QString>& left, const PictureFound& found);
    CoverPicture pictureBeside(const QString& key) const;

    QString m_path;
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<ZipArchive> m_zip;
    std::unique_ptr<ZipArchive::Entry> m_zipEntry; // tellico.xml of the zip
    QXmlStreamReader m_xml;
    qint64 m_xmlBytesRead = 0;
    qint64 m_xmlSize = 0;
    qint64 m_bytesSinceToken = 0;
    int m_depth = 0;
    bool m_inputEnded = false;
    bool m_rootEnded = false;
    QString m_collectionTitle;
    QHash<QString, int> m_columnOfField;
    QString m_pictureField;
    bool m_entryStarted = false; // the start of the next entry is read already
    bool m_entriesEnded = false;
};
