#pragma once

class LHandler;

// The record every upward communication travels in: a type name ("LWindow_Close"), the
// handler the message is about, and the next handler to be offered it. The record without
// subject and recipient means consumed.
//
// The subject is typed as a handler pointer so that a class with LHandler as a second base
// converts to the right address both when the message is made and when it is compared.
struct LMessage {
    const char* type = nullptr;
    LHandler* subject = nullptr;
    LHandler* recipient = nullptr;

    constexpr LMessage() noexcept = default;
    constexpr LMessage(const char* type, LHandler* subject, LHandler* recipient) noexcept
        : type(type), subject(subject), recipient(recipient)
    {
    }

    // Sets all three words; `type` is the text its type word holds at this moment.
    static void Make(LMessage& record, const char* type, LHandler* subject, LHandler* recipient) noexcept;
    // Zeroes the record: the consumed result.
    static void Clear(LMessage& record) noexcept;
    // Copies type and subject of `message` and names a new recipient.
    static void Redirect(LMessage& result, const LMessage& message, LHandler* recipient) noexcept;
    // Offers the message to its recipient and follows what each handler returns until the
    // send ends (consumed, nowhere to go, or back at its subject unchanged).
    static void Send(const LMessage& message);

    // True when the record ends a send: it has no subject or no recipient.
    bool IsConsumed() const noexcept { return !subject || !recipient; }
};
