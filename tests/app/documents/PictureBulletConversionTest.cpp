// A Word 2003 list whose bullet is a picture, converted by the program to RTF: the bullet's picture is
// written in the list table's picture group and the level names it.
#include <string>

#include "foundation/encoding/Base64Codec.h"
#include "foundation/memory/Memory.h"
#include "tests/app/ProgramRunSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PictureFixtures.h"

namespace {

std::string base64Of(const picturefixtures::Bytes& bytes) {
    char* text = nullptr;
    std::int32_t length = 0;
    base64Encode(bytes.data(), static_cast<std::int32_t>(bytes.size()), &text, &length);
    std::string copy(text, static_cast<std::size_t>(length));
    freeMemory(text);
    return copy;
}

std::string pictureBulletDocument(const picturefixtures::Bytes& gif) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<w:wordDocument xmlns:w=\"http://schemas.microsoft.com/office/word/2003/wordml\""
           " xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\">"
           "<w:lists><w:listPicBullet w:listPicBulletId=\"0\"><w:pict><w:binData w:name=\"wordml://bullet.gif\">" +
           base64Of(gif) +
           "</w:binData><v:shape id=\"_x0000_i1025\" type=\"#_x0000_t75\" style=\"width:9pt;height:9pt\">"
           "<v:imagedata src=\"wordml://bullet.gif\" o:title=\"\"/></v:shape></w:pict></w:listPicBullet>"
           "<w:listDef w:listDefId=\"0\"><w:plt w:val=\"SingleLevel\"/><w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/>"
           "<w:nfc w:val=\"23\"/><w:lvlText w:val=\"\xEF\x82\xB7\"/><w:lvlPicBulletId w:val=\"0\"/></w:lvl></w:listDef>"
           "<w:list w:ilfo=\"1\"><w:ilst w:val=\"0\"/></w:list></w:lists><w:body>"
           "<w:p><w:pPr><w:listPr><w:ilvl w:val=\"0\"/><w:ilfo w:val=\"1\"/></w:listPr></w:pPr>"
           "<w:r><w:t>Bulleted</w:t></w:r></w:p></w:body></w:wordDocument>\n";
}

class PictureBulletConversionTest : public apptest::ProgramRunTest {};

TEST_F(PictureBulletConversionTest, ThePictureBulletReachesTheListTableOfTheRTF) {
    ASSERT_TRUE(testsupport::writeBytes(temporary.file("bullets.xml"),
                                        pictureBulletDocument(picturefixtures::gifPicture(12, 12))));
    convertDocumentsTo("RTF");
    const apptest::RunResult result = run({"bullets.xml"});
    ASSERT_EQ(result.status, 0) << result.errors;
    const std::string rtf = testsupport::readBytes(temporary.file("bullets.rtf"));
    const std::size_t group = rtf.find("{\\*\\listpicture");
    ASSERT_NE(group, std::string::npos) << rtf.substr(0, 2000);
    // A GIF goes out converted to PNG, at the size the bullet's shape gives it (9 pt = 180 twips).
    const std::size_t picture = rtf.find("{\\pict", group);
    ASSERT_NE(picture, std::string::npos);
    const std::string head = rtf.substr(picture, 200);
    EXPECT_NE(head.find("\\pngblip"), std::string::npos) << head;
    EXPECT_NE(head.find("\\picwgoal180"), std::string::npos) << head;
    EXPECT_NE(rtf.find("\\levelpicture0"), std::string::npos);
}

}  // namespace
