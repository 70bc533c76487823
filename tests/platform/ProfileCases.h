// Profile files with the odd shapes that real ini files take, shared by the
// reader's own tests and the comparison with the Windows profile functions.
#pragma once

#include <string>
#include <vector>

namespace ravelin::testing {

struct ProfileCase {
  const char* name;
  std::string content;
};

inline std::vector<ProfileCase> OddProfiles() {
  return {
      {"plain", "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n"
                "[section2]\r\n"},
      {"blanks", "  [ section1 ]  \r\n  name1  =  val1  \r\n\tname2\t=\t\r\n"
                 "name3 = ' quoted '\r\nname4=\"\r\nname5=\"\"\r\nname6='x\"\r\n"},
      {"duplicates", "[A]\r\nk=1\r\nK=2\r\nk\r\n[a]\r\nk=3\r\nj=4\r\n[B]\r\n[A]\r\nm=5\r\n"},
      {"no-equals-first", "[S]\r\nkey\r\nkey=value\r\nother=1\r\n"},
      {"comments", ";top=1\r\n[S]\r\n;k=commented\r\nk=real\r\n; spaced=2\r\n#hash=3\r\n"},
      {"empty-keys", "[S]\r\n=v1\r\n=v2\r\na=1\r\n=v3\r\n= v4\r\n"},
      {"lf-only", "[S]\nk1=a\nk2=b\n[T]\nk1=c\n"},
      {"cr-only", "[S]\rk1=a\rk2=b\r[T]\rk1=c\r"},
      {"mixed-ends", "[S]\r\nk1=a\rk2=b\n[T]\rk3=c\r\n"},
      {"no-final-end", "[S]\r\nk=last"},
      {"empty-values", "[S]\r\na=\r\nb=  \r\nc=\"\"\r\nd=''\r\n"},
      {"long-line", "[S]\r\nlong=" + std::string(12000, 'x') + "\r\nafter=1\r\n"},
      {"many-keys", [] {
         std::string s = "[S]\r\n";
         for (int i = 0; i < 2000; ++i) s += "key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
         return s;
       }()},
      {"non-ascii", "[Se\xE7\xE3o]\r\nCh\xE4ve=W\xE9rt\r\n\xC4pfel=1\r\n[\xC9T\xC9]\r\nk=v\r\n"},
      {"utf8-bom", "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9t\xC3\xA9\r\n"},
      {"brackets", "[A]x]\r\nk=1\r\n[B\r\nj=2\r\n[]\r\nm=3\r\n[C] tail\r\nn=4\r\n"},
      {"keys-before-section", "k=0\r\n[S]\r\nk=1\r\n"},
      {"integers", "[I]\r\nplus=+1\r\nminus=-1\r\nmixed=42A\r\nletter=B\r\nhex=0x1F\r\n"
                   "HEX=0X1F\r\noct=0o17\r\nbin=0b101\r\nblank= \r\nspaced=  7  \r\n"
                   "quoted=\"12\"\r\nbig=4294967297\r\nhuge=99999999999999999999999999999999\r\n"
                   "neg-hex=-0x10\r\nempty=\r\ncut=000000000000000000000000000000123\r\n"},
      {"ctrl-z", "[S]\r\nk=v\x1A\r\n\x1A\r\n"},
      {"nul-inside", std::string("[S]\r\nk=a\0b\r\nj=2\r\n", 18)},
      {"tabs-around", "[S]\r\n\tk\t=\tv\t\r\n"},
      {"only-blanks", "   \r\n\t\r\n"},
      {"empty", ""},
  };
}

}  // namespace ravelin::testing
