#pragma once
// A command's menu text as a button shows it: without "&" and a trailing "...".
#include <QString>
#include <string_view>

namespace lumi::app {

inline QString PlainCommandText(QString text) {
  text.remove(u'&');
  if (text.endsWith(QStringLiteral("..."))) text.chop(3);
  return text;
}

inline QString PlainCommandText(std::string_view command) {
  return PlainCommandText(QString::fromUtf8(command.data(), static_cast<qsizetype>(command.size())));
}

}  // namespace lumi::app
