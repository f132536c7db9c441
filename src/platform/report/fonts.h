#pragma once

#include <QFont>
#include <QString>

#include "platform/report/report.h"

namespace tv::report {

// The designs name Tahoma and Times New Roman. Their stand-ins are loaded from
// the font files themselves (Wine's Tahoma, Liberation Serif for Times New
// Roman, Liberation Sans for Arial) rather than asked of the system by name,
// so that text measures the same on every machine. The files are looked for
// in $TARVELINO_FONT_DIR, <program folder>/fonts and the Debian font folders.
// Needs a QGuiApplication; loads once, on first use.
void ensureFontsLoaded();

// The family the layout uses for a design family name; the design name itself
// when no file for it was found (the system then substitutes).
QString pinnedFamily(const QString& designFamily);
// Whether the font files for that design name were found and loaded.
bool fontPinned(const QString& designFamily);

// Whether the design font is bold but its pinned family has no bold face, so
// that bold is made up from the regular outlines (Wine's Tahoma). Such bold
// shows on screen, where the glyphs are emboldened as they are drawn, but not
// in a PDF or on paper, where the regular outlines are embedded as they are.
bool boldIsSynthesized(const Font& font);

// The QFont for a design font, unhinted and unkerned, as the layout measures.
QFont qfontFor(const Font& font);

} // namespace tv::report
