// The texts of the picture open and save dialogs, shared by every window
// that asks for a picture file.
#pragma once

namespace kelbo {

inline constexpr char kPictureFileFilter[] =
    "Všetky podporované|*.bmp;*.gif;*.jpg;*.jpeg;*.ico;*.emf;*.wmf|Ikony (*.ico)|*.ico|"
    "Metasúbory (*.emf)|*.emf|Metasúbory (*.wmf)|*.wmf|Bitmapové súbory (*.bmp)|*.bmp|"
    "GIF súbory (*.gif)|*.gif|JPEG súbory (*.jpg; *.jpeg)|*.jpg;*.jpeg|Všetky súbory (*.*)|*.*|"
    "PNG súbory (*.png)|*.png";
inline constexpr char kOpenPictureTitle[] = "Otvorenie obrázku";
inline constexpr char kSavePictureTitle[] = "Uloženie súboru";
inline constexpr char kPictureDefaultExt[] = "bmp";
inline constexpr char kOverwriteQuestion[] = "Súbor s menom %s už existuje. Chcete ho prepísať?";
inline constexpr char kDeleteQuestion[] = "Chcete naozaj zmazať súbor %s?";
inline constexpr char kNotAPicture[] = "Súbor %s nie je obrázok, ktorý program vie otvoriť.";

}  // namespace kelbo
