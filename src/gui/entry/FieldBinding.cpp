#include "gui/entry/FieldBinding.h"

#include "core/platform/TableSchema.h"
#include "gui/entry/EntryLimit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolTip>
#include <utility>

namespace {
const QString kLabelPrint = QStringLiteral("LabelPrint");
}

FieldBinding::FieldBinding(QWidget* form) : QObject(form) {
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const QString field = w->property("field").toString();
        if (field.isEmpty())
            continue;
        if (auto* check = qobject_cast<QCheckBox*>(w); check && field == kLabelPrint) {
            m_label = check;
            connect(check, &QCheckBox::clicked, this, [this] { m_labelChanged = true; });
            continue;
        }
        const qsizetype index = m_boxes.size();
        m_boxes.append({w, field, w->accessibleName()});
        if (auto* line = qobject_cast<QLineEdit*>(w)) {
            if (line->maxLength() < EntryLimit::kLongestText) {
                m_boxes[index].limit = new EntryLimit(line);
                connect(line, &QLineEdit::inputRejected, this,
                        [this, index] { tellLimit(m_boxes[index]); });
            }
            connect(line, &QLineEdit::textEdited, this,
                    [this, index] { m_boxes[index].changed = true; });
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
            connect(plain, &QPlainTextEdit::textChanged, this, [this, index] {
                if (!m_showing)
                    m_boxes[index].changed = true;
            });
    }
}

QString FieldBinding::text(const Box& box) const {
    if (auto* line = qobject_cast<QLineEdit*>(box.widget))
        return line->text();
    // A memo keeps its lines as the stored records have them: carriage return, line feed.
    return static_cast<QPlainTextEdit*>(box.widget)
        ->toPlainText()
        .replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void FieldBinding::setText(Box& box, const QString& text) {
    const bool showing = std::exchange(m_showing, true);
    if (auto* line = qobject_cast<QLineEdit*>(box.widget)) {
        if (box.limit)
            box.limit->show(text);
        else
            line->setText(text);
        line->setCursorPosition(0);
    } else {
        QString plain = text;
        static_cast<QPlainTextEdit*>(box.widget)
            ->setPlainText(plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    box.changed = false;
    m_showing = showing;
}

void FieldBinding::show(const QSqlRecord& row) {
    for (Box& box : m_boxes)
        setText(box, row.value(box.field).toString());
    if (m_label)
        m_label->setChecked(TableSchema::isYes(row.value(kLabelPrint)));
    m_labelChanged = false;
}

QList<FieldEntry::Typed> FieldBinding::typed() const {
    QList<FieldEntry::Typed> out;
    for (const Box& box : m_boxes)
        if (box.changed)
            out.append({box.field, box.caption, text(box)});
    return out;
}

std::optional<bool> FieldBinding::labelPrint() const {
    if (!m_label || !m_labelChanged)
        return std::nullopt;
    return m_label->isChecked();
}

void FieldBinding::stored() {
    for (Box& box : m_boxes) {
        if (!box.changed)
            continue;
        // What was stored is what the field made of the text, which was accepted already.
        const QString shown = text(box);
        const QString plain = FieldEntry::convert(box.field, box.caption, shown).toString();
        if (plain != shown)
            setText(box, plain);
        box.changed = false;
    }
    m_labelChanged = false;
}

void FieldBinding::tellLimit(const Box& box) const {
    // Said beside the box rather than in a message box, which every further key would bring
    // back; nothing was put in, so nothing is lost.
    QToolTip::showText(box.widget->mapToGlobal(QPoint(0, box.widget->height())),
                       QStringLiteral("%1 takes at most %2 characters; what did not fit was "
                                      "not put in.")
                           .arg(box.caption)
                           .arg(box.limit->limit()),
                       box.widget);
}

void FieldBinding::showStored(const QString& field, const QString& text) {
    for (Box& box : m_boxes)
        if (box.field == field)
            setText(box, text);
}

void FieldBinding::setLabelTick(bool tick) {
    if (!m_label || m_label->isChecked() == tick)
        return;
    m_label->setChecked(tick);
    m_labelChanged = true;
}

void FieldBinding::freeze() {
    m_frozen = true;
    lock(true, {});
}

void FieldBinding::lock(bool locked, const QString& open) {
    for (Box& box : m_boxes) {
        const bool readOnly = m_frozen || (locked && box.field != open);
        if (auto* line = qobject_cast<QLineEdit*>(box.widget))
            line->setReadOnly(readOnly);
        else
            static_cast<QPlainTextEdit*>(box.widget)->setReadOnly(readOnly);
    }
    if (m_label)
        m_label->setEnabled(!m_frozen && !locked);
}
