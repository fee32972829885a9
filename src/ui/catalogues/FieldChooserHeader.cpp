#include "FieldChooserHeader.h"

#include "widgets/Fonts.h"

#include <QAbstractItemModel>
#include <QComboBox>

namespace {
constexpr int kGap = 3;
} // namespace

FieldChooserHeader::FieldChooserHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    setSectionsClickable(false);
    setHighlightSections(false);
    connect(this, &QHeaderView::sectionResized, this, &FieldChooserHeader::placeChoosers);
}

void FieldChooserHeader::setChoosers(const QStringList& choices, const QList<int>& chosen)
{
    qDeleteAll(m_choosers);
    m_choosers.clear();
    const int columns = model() ? model()->columnCount() : 0;
    for (int column = 0; column < columns; ++column) {
        // In the viewport, which scrolls them along with the columns.
        auto* box = new QComboBox(viewport());
        box->setFont(programFont(QStringLiteral("Verdana"), 10));
        box->addItems(choices);
        box->setCurrentIndex(chosen.value(column, 0));
        box->setAccessibleName(QStringLiteral("Campo della scheda per la colonna %1")
                                   .arg(model()->headerData(column, Qt::Horizontal).toString()));
        connect(box, &QComboBox::currentIndexChanged, this, [this, column] { chooserChanged(column); });
        box->show();
        m_choosers.append(box);
    }
    updateGeometry();
    placeChoosers();
}

QList<int> FieldChooserHeader::chosen() const
{
    QList<int> indexes;
    for (const QComboBox* box : m_choosers)
        indexes.append(box->currentIndex());
    return indexes;
}

QSize FieldChooserHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    const int chooserHeight = m_choosers.isEmpty() ? 0 : m_choosers.first()->sizeHint().height();
    size.setHeight(fontMetrics().height() + chooserHeight + 4 * kGap);
    return size;
}

void FieldChooserHeader::updateGeometries()
{
    QHeaderView::updateGeometries();
    placeChoosers();
}

void FieldChooserHeader::placeChoosers()
{
    for (int column = 0; column < m_choosers.size(); ++column) {
        QComboBox* box = m_choosers.at(column);
        const int height = box->sizeHint().height();
        box->setGeometry(sectionViewportPosition(column) + kGap, viewport()->height() - height - kGap,
                         sectionSize(column) - 2 * kGap, height);
    }
}

void FieldChooserHeader::chooserChanged(int column)
{
    const int field = m_choosers.at(column)->currentIndex();
    if (field <= 0)
        return;
    for (int other = 0; other < m_choosers.size(); ++other) {
        if (other != column && m_choosers.at(other)->currentIndex() == field) {
            const QSignalBlocker quiet(m_choosers.at(other));
            m_choosers.at(other)->setCurrentIndex(0);
        }
    }
}
