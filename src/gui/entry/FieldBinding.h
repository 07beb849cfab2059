#pragma once

#include "core/entry/FieldEntry.h"

#include <QList>
#include <QObject>
#include <QSqlRecord>
#include <optional>

class EntryLimit;
class QCheckBox;
class QWidget;

/// Binds the boxes of a form to the fields of the current check. Every box whose `field`
/// property names a field of the check record shows that field, and what the user types
/// there is reported for the commit; the label check box is bound to `LabelPrint` alike.
/// A box is named in messages by the caption of its label. Its entry limit from the form
/// holds for typing only: a stored value is always shown whole (see EntryLimit).
class FieldBinding : public QObject {
public:
    /// Finds the bound boxes among the children of `form`.
    explicit FieldBinding(QWidget* form);

    /// Shows a record in every bound box and forgets what was typed; an empty record
    /// empties the boxes.
    void show(const QSqlRecord& row);
    /// The boxes the user changed since they last showed the record.
    QList<FieldEntry::Typed> typed() const;
    /// The label tick when the user (or a rule) changed it; nothing otherwise.
    std::optional<bool> labelPrint() const;
    /// What was typed has been stored: nothing is pending any more, and each box shows its
    /// value as stored (an amount typed "$1,234.5" shows "1234.50").
    void stored();

    /// One box shows this text as the stored value, and no longer counts as typed.
    void showStored(const QString& field, const QString& text);
    /// A rule sets the label tick; it is stored with the next commit.
    void setLabelTick(bool tick);
    /// Nothing can be stored any more: the boxes keep what they show, to be read and
    /// copied, but take no more typing.
    void freeze();
    /// The check shown may not be changed (it is void): every box but the one of `open`
    /// takes no typing, until the boxes are unlocked for another check.
    void lock(bool locked, const QString& open);

private:
    struct Box {
        QWidget* widget;
        QString field;
        QString caption;
        EntryLimit* limit = nullptr; // none where the form sets no limit
        bool changed = false;
    };
    QString text(const Box& box) const;
    void setText(Box& box, const QString& text);
    void tellLimit(const Box& box) const;

    QList<Box> m_boxes;
    QCheckBox* m_label = nullptr;
    bool m_labelChanged = false;
    bool m_showing = false;
    bool m_frozen = false;
};
