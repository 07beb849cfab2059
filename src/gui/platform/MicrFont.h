#pragma once

#include <QString>

/// Where Ledgerline carries its MICR font MICR65 (built from fonts/micr65.glyphs).
inline const QString kMicrFontResource = QStringLiteral(":/fonts/MICR65.ttf");

/// Makes the MICR font MICR65 available to this process from the program's own resources,
/// so that screens show MICR symbols, checks print with a true MICR line (Qt embeds the font
/// in what it sends to the printer or into the PDF) and the start-up font check finds it,
/// even where the font was never installed. A MICR65 from elsewhere installed on the system
/// is kept and used instead; an installed copy of Ledgerline's own is replaced by the one
/// inside the program, which may be newer. Needs a QGuiApplication; safe to call more than
/// once. Returns whether MICR65 is available afterwards.
bool registerMicrFont();
