#include "ticketprinter/PrinterTransaction.h"

namespace zupri {

namespace {

// Closes the port however the transaction ends.
class PortCloser
{
public:
    explicit PortCloser(SerialPort &port) : m_port(port) {}
    ~PortCloser() { m_port.close(); }
    PortCloser(const PortCloser &) = delete;
    PortCloser &operator=(const PortCloser &) = delete;

private:
    SerialPort &m_port;
};

int openedWithReport(int reported)
{
    if (reported == kErrorAlreadyExists)
        return kOpenedAlreadyExists;
    if (reported == kErrorAccessDenied)
        return kOpenedAccessDenied;
    return kOpenedOtherError + reported;
}

} // namespace

SerialTimeouts timeoutsForReply(std::size_t replyLength)
{
    SerialTimeouts timeouts;
    if (replyLength == 0) {
        timeouts.readInterval = 1;
        timeouts.readConstant = 10;
    } else if (replyLength == 1) {
        timeouts.readInterval = 100;
        timeouts.readPerByte = 10;
        timeouts.readConstant = 200;
    } else {
        timeouts.readInterval = 200;
        timeouts.readPerByte = 10;
        timeouts.readConstant = 500;
    }
    return timeouts;
}

int runTransaction(SerialPort &port, const Transaction &transaction)
{
    const OpenResult opened = port.open(transaction.portName);
    if (opened.error != 0)
        return opened.error;
    PortCloser closer(port);
    if (opened.reported != 0)
        return openedWithReport(opened.reported);

    if (port.readLineSettings() != 0)
        return kReadSettingsFailed;
    if (const int error = port.writeLineSettings())
        return error;
    if (port.purgeOutput() != 0)
        return kPurgeOutputFailed;
    if (port.purgeInput() != 0)
        return kPurgeInputFailed;
    if (port.setTimeouts(timeoutsForReply(transaction.replyLength)) != 0)
        return kTimeoutsFailed;

    if (!transaction.special) {
        // A status that cannot be read says nothing about readiness: treat it as not ready.
        bool ctsOn = false;
        if (port.readClearToSend(ctsOn) != 0 || !ctsOn) {
            port.setRtsDtr(true);
            return kNotReady;
        }
    }

    port.setRtsDtr(false);
    if (const int error = port.write(transaction.data, transaction.length))
        return kWriteFailed + static_cast<std::int16_t>(error);

    int result = 0;
    if (transaction.replyLength == 1) {
        std::uint8_t byte = 0;
        std::size_t received = 0;
        if (const int error = port.read(&byte, 1, received)) {
            port.writeLineSettings();
            result = kReadFailed + error;
        } else if (received == 1) {
            if (transaction.reply)
                transaction.reply[0] = byte;
            result = byte;
        }
    } else if (transaction.replyLength > 1) {
        std::size_t received = 0;
        if (const int error = port.read(transaction.reply, transaction.replyLength, received)) {
            // Reported, unlike a short reply: a caller must be able to tell a broken line
            // from a printer that said nothing.
            port.writeLineSettings();
            result = kReadFailed + error;
        }
    }
    port.setRtsDtr(true);
    return result;
}

} // namespace zupri
