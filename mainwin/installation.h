// \brief The program's name and the maker's addresses.
#pragma once

namespace corvane::mainwin::installation {

inline constexpr const char* ApplicationName = "ZEMLO";
inline constexpr const char* ApplicationTitle = "Corvane";
inline constexpr const char* WebSiteName = "www.corvane.org";
inline constexpr const char* WebSite = "https://www.corvane.org/";
inline constexpr const char* DonationPage = "https://www.corvane.org/donate";
inline constexpr const char* MailAddress = "info@corvane.org";

} // namespace corvane::mainwin::installation
