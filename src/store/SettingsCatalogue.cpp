#include "store/SettingsCatalogue.h"

#include <array>

namespace varnel {

namespace {

using K = SettingKind;

// Every key of z_set: the value a new project gets (or the default added when missing) and
// how the value is read. Grouped by the area that uses it.
constexpr SettingKey kCatalogue[] = {
    // Project, mode and password
    {"版本", "4.1", true, K::Text},
    {"版本类型", "滚轮版", true, K::Text},
    {"初始化", "1", false, K::Integer},
    {"滚动名单模式", "", false, K::Mode},
    {"使用项目密码", "", false, K::FlagOnOnlyAtMinusOne},
    {"项目密码", "", false, K::Text},
    {"加密新建", "", false, K::FlagOffOnlyAtZero},
    {"加密加载", "", false, K::FlagOffOnlyAtZero},
    {"加密领奖", "", false, K::FlagOffOnlyAtZero},
    {"加密清除", "", false, K::FlagOffOnlyAtZero},
    // Draw screen window and background
    {"抽奖界面窗口模式", "0", true, K::FlagOnOnlyAtMinusOne},
    {"抽奖界面窗口高", "280", true, K::Integer},
    {"抽奖界面窗口宽", "300", true, K::Integer},
    {"抽奖界面窗口顶", "0", true, K::Integer},
    {"抽奖界面窗口左", "0", true, K::Integer},
    {"抽奖界面背景图", "BJ001.JPG", true, K::Picture},
    {"抽奖界面预览", "", true, K::Picture},
    {"抽奖界面预览信息", "", true, K::ScreenSize},
    {"平滑字体", "", false, K::File},
    // Draw screen elements
    {"抽奖界面单位名称显示", "1", true, K::FlagOffOnlyAtZero},
    {"抽奖界面单位名称", "某某股份有限公司", true, K::Text},
    {"抽奖界面单位名称字体", "黑体;16777215;26;[fsBold];", true, K::FontSpec},
    {"位置单位名称X", "128", true, K::Integer},
    {"位置单位名称Y", "63", true, K::Integer},
    {"抽奖界面主标题显示", "1", true, K::FlagOffOnlyAtZero},
    {"抽奖界面主标题", "二零零某年年终晚会", true, K::Text},
    {"抽奖界面主标题字体", "黑体;16777215;26;[fsBold];", true, K::FontSpec},
    {"位置主标题名称X", "388", true, K::Integer},
    {"位置主标题名称Y", "113", true, K::Integer},
    {"抽奖界面副标题显示", "1", true, K::FlagOffOnlyAtZero},
    {"抽奖界面副标题", "抽奖仪式", true, K::Text},
    {"抽奖界面副标题字体", "黑体;16777215;30;[fsBold];", true, K::FontSpec},
    {"位置副标题名称X", "295", true, K::Integer},
    {"位置副标题名称Y", "176", true, K::Integer},
    {"抽奖界面状态栏显示", "1", true, K::FlagOffOnlyAtZero},
    {"抽奖界面状态栏字体", "楷体_GB2312;16777215;18;[fsBold];", true, K::FontSpec},
    {"位置状态栏名称X", "35", true, K::Integer},
    {"位置状态栏名称Y", "553", true, K::Integer},
    {"抽奖界面奖品栏显示", "1", true, K::FlagOffOnlyAtZero},
    {"位置奖品名称X", "35", true, K::Integer},
    {"位置奖品名称Y", "580", true, K::Integer},
    {"抽奖界面奖品栏图片显示", "0", true, K::FlagOffOnlyAtZero},
    {"大小奖品图宽", "120", false, K::Integer},
    {"大小奖品图高", "200", false, K::Integer},
    {"位置奖品图X", "554", true, K::Integer},
    {"位置奖品图Y", "597", true, K::Integer},
    {"抽奖界面单位徽标显示", "0", true, K::FlagOffOnlyAtZero},
    {"抽奖界面单位徽标", "", true, K::Picture},
    {"大小徽标图宽", "180", false, K::Integer},
    {"大小徽标图高", "50", false, K::Integer},
    {"位置徽标图X", "536", true, K::Integer},
    {"位置徽标图Y", "8", true, K::Integer},
    {"抽奖界面中奖列数", "2", true, K::Integer},
    // Rolling area
    {"抽奖界面滚动栏", "祝你好运!", true, K::Text},
    {"抽奖界面滚动栏字体", "黑体;16777215;18;[fsBold];", true, K::FontSpec},
    {"抽奖界面滚动栏文字", "1", true, K::FlagOffOnlyAtZero},
    {"抽奖界面滚动栏图片", "0", true, K::FlagOffOnlyAtZero},
    {"位置滚动栏固定", "1", true, K::FlagOffOnlyAtZero},
    {"位置滚动栏名称X", "418", true, K::Integer},
    {"位置滚动栏名称Y", "365", true, K::Integer},
    {"位置滚动栏名称W", "120", true, K::Integer},
    {"位置滚动栏名称H", "30", true, K::Integer},
    {"位置滚动栏间隔", "5", true, K::Integer},
    {"抽奖界面放大图显示", "0", true, K::FlagOffOnlyAtZero},
    {"位置放大图X", "418", true, K::Integer},
    {"位置放大图Y", "365", true, K::Integer},
    {"位置放大图比例", "2.6", true, K::Decimal},
    {"抽奖界面横向滚动", "", false, K::FlagOnOnlyAtMinusOne},
    {"多点滚动", "1", true, K::FlagOffOnlyAtZero},
    // Draw behaviour, sounds and participants
    {"滚动显示星星开始", "0", true, K::Integer},
    {"滚动显示星星个数", "0", true, K::Integer},
    {"滚动显示星星符号", "*", true, K::Text},
    {"滚动显示速度", "40", true, K::Integer},
    {"抽奖间隔", "0", true, K::Integer},
    {"可重复中奖", "0", true, K::FlagOffOnlyAtZero},
    {"显示奖项中奖清单", "0", true, K::FlagOffOnlyAtZero},
    {"中奖清单倒序显示", "0", true, K::FlagOffOnlyAtZero},
    {"显示已中奖清单", "1", true, K::FlagOffOnlyAtZero},
    {"默认条件", "", true, K::Text},
    {"滚动声音", "dada.wav", true, K::Sound},
    {"滚动有声音", "1", true, K::FlagOffOnlyAtZero},
    {"中奖声音", "ding.wav", true, K::Sound},
    {"中奖有声音", "1", true, K::FlagOffOnlyAtZero},
    {"抽奖人追加导入方式", "0", true, K::ImportMode},
    // Winners list window
    {"滚动清单字体", "黑体;16777215;20;[fsBold];", true, K::FontSpec},
    {"滚动名单中奖列数", "3", false, K::Integer},
    {"滚动名单背景禁止", "", false, K::FlagOnOnlyAtMinusOne},
    {"中奖清单背景图", "", true, K::Picture},
    // Mall mode
    {"商场需登记抽奖人", "", false, K::FlagOnOnlyAtMinusOne},
    {"商场周期出奖", "", false, K::FlagOnOnlyAtMinusOne},
    {"商场仅滚动能中的奖品", "", false, K::FlagOnOnlyAtMinusOne},
    {"商场抽取条件", "", false, K::MultiRow},
    {"商场抽取条件按键", "", false, K::MultiRow},
};

} // namespace

std::span<const SettingKey> settingsCatalogue()
{
    return kCatalogue;
}

const SettingKey* findSettingKey(const QString& key)
{
    for (const SettingKey& k : kCatalogue)
        if (key == QString::fromUtf8(k.key))
            return &k;
    return nullptr;
}

} // namespace varnel
