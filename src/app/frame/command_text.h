#pragma once
// A command's menu text as a button shows it: without "&" and a trailing "...".
#include <QString>
#include <string_view>

#include "qt_convert.h"

namespace lumi::app {

inline QString PlainCommandText(QString text) {
  text.remove(u'&');
  if (text.endsWith(QStringLiteral("..."))) text.chop(3);
  return text;
}

inline QString PlainCommandText(std::string_view command) {
  return PlainCommandText(ToQString(command));
}

}  // namespace lumi::app
