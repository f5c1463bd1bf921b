#include "app/dialogs/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/art/dialog_art.h"
#include "app/dialogs/controls/bold_label.h"
#include "app/dialogs/controls/hyperlink_label.h"
#include "app/dialogs/dialog_support.h"
#include "model/app_title.h"

namespace qarto {

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent),
      feedback_(new HyperlinkLabel(QString::fromUtf8(kFeedbackLinkText), QUrl(QString::fromUtf8(kFeedbackUrl)))),
      homepage_(new HyperlinkLabel(QString::fromUtf8(kHomepageLinkText), QUrl(QString::fromUtf8(kHomepageUrl)))) {
  setUpDialogWindowTitled(*this, "About Qarto");
  feedback_->setObjectName("feedbackLink");
  homepage_->setObjectName("homepageLink");

  auto* picture = new QLabel;
  picture->setObjectName("aboutPicture");
  picture->setPixmap(aboutPicture());

  auto* title = new BoldLabel(QString::fromUtf8(kAppTitle));
  title->setObjectName("aboutTitle");
  QFont large = title->font();
  large.setPointSizeF(large.pointSizeF() * 1.5);
  title->setFont(large);
  auto* purpose = new QLabel(QStringLiteral("Tile map editor for Game Boy Advance backgrounds"));

  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(purpose);
  text->addSpacing(12);
  text->addWidget(feedback_);
  text->addWidget(homepage_);
  text->addStretch(1);

  auto* body = new QHBoxLayout;
  body->addWidget(picture, 0, Qt::AlignTop);
  body->addSpacing(12);
  body->addLayout(text, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  // OK is the default button and starts with the focus, so Enter closes the
  // box instead of opening the first link.
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setObjectName("aboutOk");
  ok->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ok->setFocus();  // once it is part of the box
}

}  // namespace qarto
