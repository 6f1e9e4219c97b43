#include "billing/contracts/RtfPreview.h"

#include "core/TextFile.h"

#include <QList>
#include <QSet>

namespace billing {

namespace {

struct CharacterFormat
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    bool skipped = false;   // inside a group that is not text (font table, picture …)
    int unicodeSkip = 1;    // characters that follow \uN in place of it
};

// Groups whose text never shows.
const QSet<QString> &skippedDestinations()
{
    static const QSet<QString> names = {
        QStringLiteral("fonttbl"),  QStringLiteral("colortbl"), QStringLiteral("stylesheet"),
        QStringLiteral("info"),     QStringLiteral("pict"),     QStringLiteral("header"),
        QStringLiteral("footer"),   QStringLiteral("headerl"),  QStringLiteral("headerr"),
        QStringLiteral("footerl"),  QStringLiteral("footerr"),  QStringLiteral("listtable"),
        QStringLiteral("listoverridetable"), QStringLiteral("rsidtbl"), QStringLiteral("generator"),
        QStringLiteral("xmlnstbl"), QStringLiteral("latentstyles"), QStringLiteral("datastore"),
        QStringLiteral("themedata"), QStringLiteral("colorschememapping"), QStringLiteral("fldinst"),
        QStringLiteral("object"),   QStringLiteral("nonshppict"), QStringLiteral("pgdsctbl")};
    return names;
}

class HtmlWriter
{
public:
    QString finish()
    {
        closeParagraph();
        return QStringLiteral("<html><body>") + m_html + QStringLiteral("</body></html>");
    }

    void text(const QString &chars, const CharacterFormat &format)
    {
        if (format.skipped || chars.isEmpty())
            return;
        openParagraph();
        QString style = QStringLiteral("font-size:%1pt;").arg(format.halfPoints / 2.0);
        if (format.bold)
            style += QStringLiteral("font-weight:bold;");
        if (format.italic)
            style += QStringLiteral("font-style:italic;");
        if (format.underline)
            style += QStringLiteral("text-decoration:underline;");
        m_html += QStringLiteral("<span style=\"") + style + QStringLiteral("\">") +
                  chars.toHtmlEscaped() + QStringLiteral("</span>");
    }

    void paragraphEnd()
    {
        openParagraph();
        closeParagraph();
    }
    void lineBreak()
    {
        openParagraph();
        m_html += QStringLiteral("<br/>");
    }
    void pageBreak()
    {
        closeParagraph();
        m_html += QStringLiteral("<hr/>");
    }
    void setAlignment(const QString &alignment) { m_alignment = alignment; }

private:
    void openParagraph()
    {
        if (m_open)
            return;
        m_html += QStringLiteral("<p align=\"") + m_alignment + QStringLiteral("\">");
        m_open = true;
    }
    void closeParagraph()
    {
        if (!m_open)
            return;
        m_html += QStringLiteral("</p>");
        m_open = false;
    }

    QString m_html;
    QString m_alignment = QStringLiteral("left");
    bool m_open = false;
};

} // namespace

QString rtfToHtml(const QString &rtf)
{
    HtmlWriter html;
    QList<CharacterFormat> stack;
    CharacterFormat format;
    QString pending; // text of the current run, written when the format changes
    int skipChars = 0;
    bool groupStart = false;
    const auto flush = [&] {
        html.text(pending, format);
        pending.clear();
    };
    const qsizetype n = rtf.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = rtf.at(i);
        if (c == u'{') {
            flush();
            stack << format;
            groupStart = true;
            continue;
        }
        if (c == u'}') {
            flush();
            if (!stack.isEmpty())
                format = stack.takeLast();
            groupStart = false;
            continue;
        }
        if (c == u'\r' || c == u'\n')
            continue;
        if (c != u'\\') {
            groupStart = false;
            if (skipChars > 0) {
                --skipChars;
                continue;
            }
            pending += c;
            continue;
        }
        // A control symbol or a control word.
        if (i + 1 >= n)
            break;
        const QChar next = rtf.at(i + 1);
        if (!next.isLetter()) {
            ++i;
            if (next == u'\'') {
                const bool ok = i + 2 < n;
                const uint code = ok ? rtf.mid(i + 1, 2).toUInt(nullptr, 16) : 0;
                i += 2;
                if (skipChars > 0) {
                    --skipChars;
                } else if (code != 0) {
                    pending += core::fromWindows1252(QByteArray(1, char(code)));
                }
            } else if (next == u'*') {
                if (groupStart)
                    format.skipped = true; // an ignorable destination
            } else if (next == u'~') {
                pending += QChar(0x00A0);
            } else if (next == u'_') {
                pending += u'-';
            } else if (next == u'\\' || next == u'{' || next == u'}') {
                pending += next;
            } else if (next == u'\r' || next == u'\n') {
                flush();
                html.paragraphEnd();
            }
            groupStart = false;
            continue;
        }
        qsizetype j = i + 1;
        while (j < n && rtf.at(j).isLetter())
            ++j;
        const QString word = rtf.mid(i + 1, j - i - 1);
        qsizetype k = j;
        if (k < n && (rtf.at(k) == u'-' || rtf.at(k).isDigit())) {
            ++k;
            while (k < n && rtf.at(k).isDigit())
                ++k;
        }
        const QString numberText = rtf.mid(j, k - j);
        const bool hasNumber = !numberText.isEmpty();
        const int number = numberText.toInt();
        if (k < n && rtf.at(k) == u' ')
            ++k; // the blank ending a control word belongs to it
        i = k - 1;
        const bool wasGroupStart = groupStart;
        groupStart = false;

        if (wasGroupStart && skippedDestinations().contains(word)) {
            format.skipped = true;
            continue;
        }
        if (word == u"u") {
            if (skipChars == 0)
                pending += QChar(char16_t(number < 0 ? number + 65536 : number));
            skipChars = format.unicodeSkip;
            continue;
        }
        if (word == u"uc") {
            format.unicodeSkip = number;
            continue;
        }
        skipChars = 0;
        const bool on = !hasNumber || number != 0;
        if (word == u"par") {
            flush();
            html.paragraphEnd();
        } else if (word == u"line") {
            flush();
            html.lineBreak();
        } else if (word == u"page") {
            flush();
            html.pageBreak();
        } else if (word == u"tab") {
            pending += QStringLiteral("    ");
        } else if (word == u"emdash" || word == u"endash") {
            pending += word == u"emdash" ? QChar(0x2014) : QChar(0x2013);
        } else if (word == u"bullet") {
            pending += QChar(0x2022);
        } else if (word == u"b" || word == u"i" || word == u"ul" || word == u"ulnone" ||
                   word == u"fs" || word == u"plain") {
            flush();
            if (word == u"b")
                format.bold = on;
            else if (word == u"i")
                format.italic = on;
            else if (word == u"ul")
                format.underline = on;
            else if (word == u"ulnone")
                format.underline = false;
            else if (word == u"fs")
                format.halfPoints = hasNumber && number > 0 ? number : 24;
            else {
                const bool skipped = format.skipped;
                const int unicodeSkip = format.unicodeSkip;
                format = CharacterFormat();
                format.skipped = skipped;
                format.unicodeSkip = unicodeSkip;
            }
        } else if (word == u"pard") {
            flush();
            html.setAlignment(QStringLiteral("left"));
        } else if (word == u"qc" || word == u"qj" || word == u"qr" || word == u"ql") {
            flush();
            html.setAlignment(word == u"qc"   ? QStringLiteral("center")
                              : word == u"qj" ? QStringLiteral("justify")
                              : word == u"qr" ? QStringLiteral("right")
                                              : QStringLiteral("left"));
        }
    }
    flush();
    return html.finish();
}

} // namespace billing
