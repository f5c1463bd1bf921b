#pragma once

#include <QDialog>

namespace qarto {

class HyperlinkLabel;

inline constexpr const char* kFeedbackLinkText = "Report a bug. Suggest a feature";
inline constexpr const char* kHomepageLinkText = "Qarto Homepage";
// Where the two links lead; change them here when the project has a home.
inline constexpr const char* kFeedbackUrl = "https://example.org/qarto/issues";
inline constexpr const char* kHomepageUrl = "https://example.org/qarto/";

// The about box: the program's picture and title and two links.
class AboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit AboutBox(QWidget* parent = nullptr);

  HyperlinkLabel* feedbackLink() const { return feedback_; }
  HyperlinkLabel* homepageLink() const { return homepage_; }

 private:
  HyperlinkLabel* feedback_;
  HyperlinkLabel* homepage_;
};

}  // namespace qarto
