#pragma once

#include "platform/ErrorReporter.h"
#include "platform/MailClient.h"
#include "shell/LanguageTexts.h"
#include "shell/MailSettings.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tiravel {

inline constexpr const char* kSpectrogramMailSubject = "Spectrogramme généré par TIRAVEL4";

// The recipients typed in the address box: addresses separated by spaces,
// commas or semicolons.
std::vector<std::string> mailRecipients(std::string_view typed);

// The message that carries the spectrogram picture; today is the date as the
// system shows it.
MailMessage spectrogramMessage(const MailSettings& settings, const std::vector<std::string>& recipients,
    const std::string& imagePath, const std::string& today);

// Mails the spectrogram picture of the evaluation screen and reports its
// progress in the expert memo. The screen calls prepare, then saves the
// picture, then send with the saved picture's path.
class SpectrogramMail {
public:
    using MemoLine = std::function<void(const std::string&)>;

    SpectrogramMail(MailClient& client, ErrorReporter& errors, MemoLine memo, Language language);

    // Whether the picture is to be generated: a sound is loaded, the mail
    // settings are there and an address is typed. Adds "Generate bitmap" to
    // the memo when it is, the reason when it is not.
    bool prepare(bool soundLoaded, const MailSettings& settings, std::string_view typedRecipients);
    // Sends the picture at imagePath; false (and the reason shown) when the
    // path is too short to be a saved picture or the server fails.
    bool send(const MailSettings& settings, std::string_view typedRecipients, const std::string& imagePath,
        const std::string& today);

private:
    MailClient& client_;
    ErrorReporter& errors_;
    MemoLine memo_;
    Language language_;
};

} // namespace tiravel
