#include "gui/entry/MicrLine.h"

#include "core/entry/Routing.h"
#include "core/print/Stock.h"

#include <QLabel>
#include <QLineEdit>

MicrLine::MicrLine(const QList<QWidget*>& micr, QLineEdit* routing, QLabel* mark)
    : QObject(routing), m_routing(routing), m_mark(mark) {
    // A size above the boxes' own, so the symbols read clearly.
    for (QWidget* w : micr) {
        QFont font = w->font();
        font.setFamily(PrintFaces::kMicr);
        font.setPointSizeF(font.pointSizeF() * 1.4);
        w->setFont(font);
    }
    QFont small = mark->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    mark->setFont(small);
    connect(routing, &QLineEdit::textChanged, this, &MicrLine::updateMark);
    updateMark();
}

void MicrLine::updateMark() {
    const QString aba = m_routing->text();
    if (aba.isEmpty()) {
        m_mark->clear();
        m_mark->setToolTip({});
        return;
    }
    // The box shows the whole stored value, so the mark judges what prints on the MICR line.
    const bool ok = Routing::checkDigitOk(aba);
    m_mark->setText(ok                           ? QStringLiteral("\u2713 valid")
                    : Routing::isNineDigits(aba) ? QStringLiteral("\u2717 check digit wrong")
                                                 : QStringLiteral("\u2717 not 9 digits"));
    m_mark->setStyleSheet(ok ? QStringLiteral("color: #2e7d32;")
                             : QStringLiteral("color: #b71c1c;"));
    const QString explanation =
        ok ? QStringLiteral("The routing number passes the bank check digit test.")
           : QStringLiteral("This is not a valid routing number: it must be nine digits and pass "
                            "the bank check digit test. Compare it with the bottom line of a "
                            "check.");
    m_mark->setToolTip(explanation);
    m_mark->setAccessibleDescription(explanation);
}
