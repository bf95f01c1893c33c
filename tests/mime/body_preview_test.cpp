// The preview of a message from a TOP reply, for the shapes real mail takes.
#include "mime/body_preview.h"

#include <gtest/gtest.h>

namespace {

using TLines = std::vector<std::string>;

struct TCase {
    const char* shape;
    TLines reply;
    std::string text;
    const char* facts; // "html" when made from HTML, "cut", and each attachment
};

// The preview besides its text: "html; cut; name type size" (size "?" when unknown).
std::string Facts(const TPreview& preview) {
    std::vector<std::string> facts;
    if (preview.FromHtml) facts.emplace_back("html");
    if (preview.Cut) facts.emplace_back("cut");
    for (const TAttachment& a : preview.Attachments)
        facts.push_back(a.Name + " " + a.Type + " " + (a.Size ? std::to_string(*a.Size) : "?"));
    std::string joined;
    for (const std::string& fact : facts)
        joined += (joined.empty() ? "" : "; ") + fact;
    return joined;
}

TLines Joined(std::initializer_list<TLines> pieces) {
    TLines all;
    for (const TLines& piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

const TLines Head = {"From: a@example.com", "Subject: shape", "MIME-Version: 1.0"};

TEST(DecodePreview, RealWorldShapes) {
    const std::string longLine(20000, 'x');
    const TCase cases[] = {
        {"plain, line ends kept, dot-stuffed",
         Joined({Head, {"\r\n", "Hello,\r\n", "..hidden\r\n", "\r\n", "Bob\r\n", ".\r\n"}}),
         "Hello,\n.hidden\n\nBob", ""},
        {"alternative: the plain part",
         Joined({Head,
                 {"Content-Type: multipart/alternative; boundary=\"b1\"", "", "preamble", "--b1",
                  "Content-Type: text/plain; charset=utf-8", "", "Plain text", "--b1",
                  "Content-Type: text/html", "", "<p>HTML text</p>", "--b1--", "."}}),
         "Plain text", ""},
        {"HTML only, entities, blocks, script and head",
         Joined({Head,
                 {"Content-Type: text/html; charset=\"iso-8859-1\"", "",
                  "<html><head><title>T</title><style>p{}</style></head><body>",
                  "<p>Caf\xe9 &amp; more&nbsp;here</p><script>x()</script>",
                  "<ul><li>one<li>two</ul>Line<br>break &#8364; &#x41; &bogus;", "</body></html>",
                  "."}}),
         "Café & more here\n\n• one\n• two\n\nLine\nbreak € A &bogus;", "html"},
        {"quoted-printable with soft breaks",
         Joined({Head,
                 {"Content-Type: text/plain; charset=UTF-8",
                  "Content-Transfer-Encoding: quoted-printable", "",
                  "Gr=C3=BC=C3=9Fe aus =", "K=C3=B6ln   ", "a=3Db =ZZ", "."}}),
         "Grüße aus Köln\na=b =ZZ", ""},
        {"base64 in a charset, CR LF inside",
         Joined({Head,
                 {"Content-Type: text/plain; charset=KOI8-R", "Content-Transfer-Encoding: BASE64",
                  "", "8NLJ18XUDQrNydI=", "."}}),
         "Привет\nмир", ""},
        {"signed: the content, not its signature; a part without its empty line",
         Joined({Head,
                 {"Content-Type: multipart/signed; boundary=s", "", "--s", "Dear Bob,", "--s",
                  "Content-Type: application/pgp-signature", "", "sig", "--s--", ".", "more"}}),
         "Dear Bob,", ""},
        {"base64 padded line by line, a charset known by another name",
         Joined({Head,
                 {"Content-Type: text/plain; charset=ks_c_5601-1987",
                  "Content-Transfer-Encoding: base64", "", "sKE=", "x8+8vA==", "."}}),
         "가하세", ""},
        {"Latin-1 without a label, and a mislabelled part",
         Joined({Head,
                 {"Content-Type: multipart/mixed; boundary=m", "", "--m", "", "Caf\xe9 cr\xe8me",
                  "--m", "Content-Type: text/plain; charset=utf-8", "",
                  "br\xfb"
                  "l\xe9"
                  "e",
                  "--m--", "."}}),
         "Café crème\n\nbrûlée", ""},
        {"a very long line kept whole", Joined({Head, {"", longLine, "."}}), longLine, ""},
        {"format=flowed",
         Joined({Head,
                 {"Content-Type: text/plain; format=flowed; delsp=no", "", "One paragraph ",
                  "goes on.", "> quoted ", "> too", " Stuffed", "."}}),
         "One paragraph goes on.\n> quoted too\nStuffed", ""},
        {"mixed: text, attachments by name and size, none fetched",
         Joined({Head,
                 {"Content-Type: multipart/mixed; boundary=\"=_outer\"",
                  "",
                  "--=_outer",
                  "Content-Type: multipart/alternative; boundary=inner",
                  "",
                  "--inner",
                  "Content-Type: text/html",
                  "",
                  "<b>Bold</b> report",
                  "--inner--",
                  "--=_outer",
                  "Content-Type: application/pdf; name=\"old.pdf\"",
                  "Content-Disposition: attachment; filename*=UTF-8''r%C3%A9sum%C3%A9.pdf",
                  "Content-Transfer-Encoding: base64",
                  "",
                  "JVBERi0xLjQK",
                  "--=_outer",
                  "Content-Type: image/png",
                  "Content-Disposition: inline; filename*0=\"long \"; filename*1=\"name.png\";",
                  " size=2048",
                  "Content-Transfer-Encoding: base64",
                  "",
                  "iVBORw0K",
                  "--=_outer--",
                  "."}}),
         "Bold report", "html; résumé.pdf application/pdf 9; long name.png image/png 2048"},
        {"truncated inside a base64 attachment and a cut UTF-8 character",
         Joined({Head,
                 {"Content-Type: multipart/mixed; boundary=z", "", "--z",
                  "Content-Type: text/plain; charset=utf-8", "Content-Transfer-Encoding: base64",
                  "", "R3LDvMOf", "w6Q=", "--z",
                  "Content-Type: application/zip; name==?UTF-8?Q?d=C3=A4ta.zip?=",
                  "Content-Transfer-Encoding: base64", "", "UEsDBBQAAAAI", "."}}),
         "Grüßä", "cut; däta.zip application/zip ?"},
        {"truncated in the middle of a character, no terminator",
         Joined({Head,
                 {"Content-Type: text/plain; charset=utf-8", "Content-Transfer-Encoding: base64",
                  "", "R3LDvMO"}}),
         "Grü", "cut"},
        {"header only", Joined({Head, {"", "."}}), "", ""},
        {"a multipart without its boundary read as text",
         Joined({Head, {"Content-Type: multipart/mixed", "", "as sent", "."}}), "as sent", ""},
        {"nothing at all", {}, "", "cut"},
    };
    for (const TCase& c : cases) {
        const TPreview preview = DecodePreview(c.reply);
        EXPECT_EQ(preview.Text, c.text) << c.shape;
        EXPECT_EQ(Facts(preview), c.facts) << c.shape;
    }
    // A summary's kept header and body lines give the preview of the reply they came from.
    const TCase& qp = cases[3];
    const TLines header(qp.reply.begin(), qp.reply.begin() + 5);
    const TLines body(qp.reply.begin() + 6, qp.reply.end() - 1);
    EXPECT_EQ(DecodePreview(Joined({header, {"", "."}}), body).Text, qp.text);
}

} // namespace
