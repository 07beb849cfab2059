#include "gui/entry/EntryLimit.h"

#include <QLineEdit>
#include <algorithm>

EntryLimit::EntryLimit(QLineEdit* box)
    : QValidator(box), m_box(box), m_limit(box->maxLength()), m_allowed(m_limit) {
    // QLineEdit cuts every text to its maxLength, shown or typed.
    box->setMaxLength(kLongestText);
    box->setValidator(this);
    // Shortening a longer value gives up the characters taken off: the box never grows
    // back past its limit.
    connect(box, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_allowed = std::max<qsizetype>(m_limit, std::min(m_allowed, text.size()));
    });
}

void EntryLimit::show(const QString& text) {
    // Allowed before it is set: a shown text the box would refuse would leave the box
    // taking any edit afterwards.
    m_allowed = std::max<qsizetype>(m_limit, text.size());
    m_box->setText(text);
}

QValidator::State EntryLimit::validate(QString& input, int&) const {
    return input.size() <= m_allowed ? Acceptable : Invalid;
}
