#include "core/platform/Program.h"

#include "core/platform/ServerLocation.h"

Program::Program(const QString& folder)
    : m_name(QString::fromLatin1(kName)), m_version(QString::fromLatin1(kVersion)),
      m_folder(QDir(folder).absolutePath()) {}

QString Program::path(const QString& fileName) const {
    return ServerLocation::is(fileName) ? fileName : m_folder.filePath(fileName);
}

void Program::setNameAndVersion(const QString& name, const QString& version) {
    m_name = name;
    m_version = version;
}

QString Program::aboutLine(int index) const {
    return index >= 1 && index <= 3 ? m_about[index - 1] : QString();
}

void Program::setAboutLine(int index, const QString& text) {
    if (index >= 1 && index <= 3)
        m_about[index - 1] = text;
}

void Program::end(int status) {
    m_ended = true;
    m_endStatus = status;
    if (m_onEnd)
        m_onEnd(status);
}
