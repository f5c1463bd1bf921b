#include "app/dialogs/customize_export/template_edit.h"

#include <QFontDatabase>

#include "app/dialogs/dialog_support.h"
#include "edit/dialogs/multiline_text.h"

namespace qarto {

QPlainTextEdit* templateEdit(const QString& objectName, int lines) {
  auto* edit = new QPlainTextEdit;
  edit->setObjectName(objectName);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFixedPitch(true);
  edit->setFont(fixed);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setTabChangesFocus(true);
  edit->setFixedHeight(edit->fontMetrics().lineSpacing() * lines + 12);
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 52);
  return edit;
}

std::string templateText(const QPlainTextEdit* edit) { return textFromEditor(ss(edit->toPlainText())); }

void setTemplateText(QPlainTextEdit* edit, const std::string& stored) {
  edit->setPlainText(qs(textForEditor(stored)));
}

}  // namespace qarto
