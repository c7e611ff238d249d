#pragma once

namespace tiravel {

// Numbers of the shared texts that the windows use.
inline constexpr int kTextPatient = 5;
inline constexpr int kTextClose = 8;
inline constexpr int kTextCloseHint = 9;
inline constexpr int kTextHelp = 10;
inline constexpr int kTextAbout = 11;
inline constexpr int kTextHelpHint = 12;
inline constexpr int kTextPathology = 19;
inline constexpr int kTextEvaluation = 28;
inline constexpr int kTextTherapy = 29;
inline constexpr int kTextMediaLibrary = 30;
inline constexpr int kTextSelfAssessment = 36;
inline constexpr int kTextAnamnesis = 37;

} // namespace tiravel
