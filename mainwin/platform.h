// \brief The two things the windows ask of the desktop: a modal message box and opening a
// document or address with its default application. Tests replace them.
#pragma once

#include "opener.h"

#include <QString>
#include <QUrl>

#include <functional>

class QDialog;
class QWidget;

namespace corvane::mainwin {

enum class MessageIcon { Exclamation, Information };

class Platform {
public:
    virtual ~Platform() = default;
    /// A modal box with one OK button.
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text,
                             MessageIcon icon) = 0;
    /// The same box with details below the text, such as why the input was refused.
    virtual void showDetailedMessage(QWidget* parent, const QString& title, const QString& text,
                                     const QString& details, MessageIcon icon) = 0;
    /// Opens a file, web page or mail address and returns at once; `failed` runs, now or
    /// later, when that could not be done.
    virtual void openUrl(const QUrl& url, std::function<void()> failed) = 0;
    /// Runs a dialog modally; true when it was accepted.
    virtual bool runDialog(QDialog& dialog);
};

/// Opens url; when that fails, a warning box with the title and text, over `window` if it is
/// still open by then.
void OpenOrWarn(Platform& platform, QWidget* window, const QUrl& url, const QString& failureTitle,
                const QString& failureText);

/// QMessageBox and the desktop's opener.
class DesktopPlatform : public Platform {
public:
    explicit DesktopPlatform(QString opener = DesktopOpener::XdgOpen);
    void showMessage(QWidget* parent, const QString& title, const QString& text,
                     MessageIcon icon) override;
    void showDetailedMessage(QWidget* parent, const QString& title, const QString& text,
                             const QString& details, MessageIcon icon) override;
    void openUrl(const QUrl& url, std::function<void()> failed) override;

private:
    DesktopOpener m_opener;
};

/// The program's name and the maker's addresses.
namespace installation {
inline constexpr const char* ApplicationName = "ZEMLO";
inline constexpr const char* ApplicationTitle = "Corvane";
inline constexpr const char* WebSiteName = "www.corvane.org";
inline constexpr const char* WebSite = "https://www.corvane.org/";
inline constexpr const char* DonationPage = "https://www.corvane.org/donate";
inline constexpr const char* MailAddress = "info@corvane.org";
} // namespace installation

} // namespace corvane::mainwin
