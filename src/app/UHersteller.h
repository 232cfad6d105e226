#pragma once
// The maker's contact data, kept in one place. The page frame's address block, the about window
// and the two support links all read it from here. Texts are UTF-8.

namespace Maker {
inline constexpr const char* Company = "Tarvometrix GmbH";
inline constexpr const char* Street = "Wärmetauscherweg 12";
inline constexpr const char* PostCodeTown = "34117 Kassel";
inline constexpr const char* Country = "Germany";
inline constexpr const char* Phone = "+49 561 4708-300";
inline constexpr const char* Fax = "+49 561 4708-399";
inline constexpr const char* Email = "info@tarvometrix.com";
inline constexpr const char* SupportEmail = "support@tarvometrix.com";
// Web address as shown to the user (host name without scheme) and as opened.
inline constexpr const char* WebHost = "www.tarvometrix.com";
inline constexpr const char* WebUrl = "https://www.tarvometrix.com";
// Copyright line under the picture of the about window; the language text "All rights reserved."
// follows it.
inline constexpr const char* Copyright = "© 2016 Tarvometrix GmbH.";
// Directories of the two certification programmes, opened from their logos in the about window.
inline constexpr const char* EuroventDirectoryUrl = "https://www.eurovent-certification.com";
inline constexpr const char* AhriDirectoryUrl = "https://www.ahridirectory.org";
}  // namespace Maker
