// The message shown when the data file could not be read and was set aside. It
// names the file, the name it is kept under and the reason, so that the user
// can put it right instead of wondering where the menu went.
#include <string>

#include "files/startup_load.h"

namespace tv {

std::string rejectionReason(const readReport& report) {
    const std::string line = std::to_string(report.faultLine) + "行目";
    if (report.status == readStatus::notMenuFile)
        return line + "がデータファイルの見出し（「0」，タブ，「メニュー」）で始まっていません．";
    if (report.fault == conversionFault::invalidUtf8)
        return "UTF-8のファイルとして読みましたが，" + line + "がUTF-8として正しくありません．";
    return line + "にShift_JIS（コードページ932）で表せない文字があります．";
}

std::string setAsideNotice(const runningMenuLoad& load) {
    if (!load.dataFileRejected) return std::string();
    std::string text = "データファイル「" + load.dataFile + "」を読み込めませんでした．\r\n";
    if (load.rejectedKeptAs.empty())
        text += "別の名前で残すこともできなかったため，ファイルはそのままにしてあります．\r\n";
    else
        text += "ファイルは「" + load.rejectedKeptAs + "」という名前で残しました．\r\n";
    text += "理由：" + rejectionReason(load.dataFileReport) + "\r\n";
    text += load.source == menuSource::runningMenu ? "いま使っているメニューをそのまま使います．"
                                                   : "代わりに初期メニューを使います．";
    return text;
}

}  // namespace tv
