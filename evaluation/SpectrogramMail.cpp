#include "SpectrogramMail.h"

#include <algorithm>
#include <utility>

namespace tiravel {

namespace {

constexpr std::size_t kShortestImagePath = 10; // characters: shorter is no saved picture
constexpr const char* kMailHeading = "Email";

constexpr TriText kSettingsMissing {
    "Envoi impossible : ajoutez les lignes \"mail-server = <serveur>\" et \"mail-sender = <adresse>\" "
    "au fichier tiravel4.ini du dossier de données.",
    "Cannot send: add the lines \"mail-server = <server>\" and \"mail-sender = <address>\" "
    "to tiravel4.ini in the data folder.",
    "Envío imposible: añada las líneas \"mail-server = <servidor>\" y \"mail-sender = <dirección>\" "
    "al archivo tiravel4.ini de la carpeta de datos."};
constexpr TriText kSendFailed {"L'envoi du message par %s a échoué : ", "Sending the message through %s failed: ",
    "El envío del mensaje por %s ha fallado: "};

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

std::string sendFailedText(Language language, const std::string& server, const std::string& error)
{
    std::string text = kSendFailed.in(language);
    text.replace(text.find("%s"), 2, server);
    return text + error;
}

} // namespace

std::vector<std::string> mailRecipients(std::string_view typed)
{
    std::vector<std::string> recipients;
    std::size_t start = 0;
    while (start < typed.size()) {
        const std::size_t end = std::min(typed.find_first_of(" \t\r\n,;", start), typed.size());
        if (end > start)
            recipients.emplace_back(typed.substr(start, end - start));
        start = end + 1;
    }
    return recipients;
}

MailMessage spectrogramMessage(const MailSettings& settings, const std::vector<std::string>& recipients,
    const std::string& imagePath, const std::string& today)
{
    MailMessage message;
    message.from = settings.sender;
    message.to = recipients;
    message.replyTo = settings.replyTo;
    message.subject = kSpectrogramMailSubject;
    message.body = "Bonjour, ce spectrogramme a été généré par TIRAVEL4 d'après un enregistrement de votre voix le "
        + today + ". " + "Toute interprétation de ces données ne peut se faire que dans un cadre clinique. "
        + "Bien cordialement. " + settings.signature;
    message.attachmentPath = imagePath;
    return message;
}

SpectrogramMail::SpectrogramMail(MailClient& client, ErrorReporter& errors, MemoLine memo, Language language)
    : client_(client)
    , errors_(errors)
    , memo_(std::move(memo))
    , language_(language)
{
}

bool SpectrogramMail::prepare(bool soundLoaded, const MailSettings& settings, std::string_view typedRecipients)
{
    if (!soundLoaded) {
        memo_("No WAV file loaded");
        return false;
    }
    if (!settings.configured()) {
        memo_("Mail settings missing in tiravel4.ini");
        errors_.DisplayError(kSettingsMissing.in(language_), kMailHeading);
        return false;
    }
    if (mailRecipients(typedRecipients).empty()) {
        memo_("No recipient address");
        return false;
    }
    memo_("Generate bitmap");
    return true;
}

bool SpectrogramMail::send(const MailSettings& settings, std::string_view typedRecipients,
    const std::string& imagePath, const std::string& today)
{
    if (imagePath.size() < kShortestImagePath) {
        memo_("No image generated from WAV. Click patient icon");
        return false;
    }
    const std::vector<std::string> recipients = mailRecipients(typedRecipients);
    const MailServer server {settings.server, settings.port, settings.account, settings.password};
    memo_("Connect to " + settings.server);
    const MailResult result = client_.send(server, spectrogramMessage(settings, recipients, imagePath, today));
    memo_("Message sent to :");
    memo_(joined(recipients));
    if (!result.ok)
        errors_.DisplayError(sendFailedText(language_, settings.server, result.error), kMailHeading);
    return result.ok;
}

} // namespace tiravel
