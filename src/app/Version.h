#pragma once

namespace tess {

// The program's version, as the about box shows it after "Version ".
inline constexpr char ProgramVersion[] = "1.04";

// Where users find the program and its maker.
inline constexpr char WebAddress[] = "https://tessaline.example.org";
inline constexpr char SupportAddress[] = "support@tessaline.example.org";

}  // namespace tess
