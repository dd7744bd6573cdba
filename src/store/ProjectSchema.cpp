#include "store/ProjectSchema.h"

namespace varnel::schema {

namespace {

constexpr const char* kStatements[] = {kCreateZSet,   kCreateZUser,   kCreateUserIndex,
                                       kCreateZzUser, kCreateZScuser, kCreateZJx,
                                       kCreateZLog,   kCreateLog,     kCreateZZj};

using S = CreationStage;

constexpr CreationRow kRows[] = {
    {S::Display, "版本", "4.1"},
    {S::Display, "版本类型", "滚轮版"},
    {S::Display, "抽奖界面单位名称显示", "1"},
    {S::Display, "抽奖界面单位名称", "某某股份有限公司"},
    {S::Display, "抽奖界面单位名称字体", "黑体;16777215;26;[fsBold];"},
    {S::Display, "抽奖界面主标题", "二零零某年年终晚会"},
    {S::Display, "抽奖界面主标题字体", "黑体;16777215;26;[fsBold];"},
    {S::Display, "抽奖界面主标题显示", "1"},
    {S::Display, "抽奖界面副标题", "抽奖仪式"},
    {S::Display, "抽奖界面副标题字体", "黑体;16777215;30;[fsBold];"},
    {S::Display, "抽奖界面副标题显示", "1"},
    {S::Display, "抽奖界面滚动栏", "祝你好运!"},
    {S::Display, "抽奖界面滚动栏文字", "1"},
    {S::Display, "抽奖界面滚动栏图片", "0"},
    {S::Display, "抽奖界面窗口模式", "0"},
    {S::Display, "抽奖界面窗口高", "280"},
    {S::Display, "抽奖界面窗口宽", "300"},
    {S::Display, "抽奖界面窗口顶", "0"},
    {S::Display, "抽奖界面窗口左", "0"},
    {S::Display, "抽奖界面滚动栏字体", "黑体;16777215;18;[fsBold];"},
    {S::Display, "滚动清单字体", "黑体;16777215;20;[fsBold];"},
    {S::Display, "抽奖界面状态栏字体", "楷体_GB2312;16777215;18;[fsBold];"},
    {S::Display, "抽奖界面状态栏显示", "1"},
    {S::Display, "抽奖界面奖品栏显示", "1"},
    {S::Display, "抽奖界面奖品栏图片显示", "0"},
    {S::Display, "抽奖界面放大图显示", "0"},
    {S::Display, "抽奖界面中奖列数", "2"},
    {S::Display, "抽奖界面单位徽标", ""},
    {S::Display, "抽奖界面单位徽标显示", "0"},
    {S::Draw, "抽奖界面预览信息", ""},
    {S::Draw, "滚动显示星星开始", "0"},
    {S::Draw, "滚动显示星星个数", "0"},
    {S::Draw, "滚动显示星星符号", "*"},
    {S::Draw, "滚动显示速度", "40"},
    {S::Draw, "多点滚动", "1"},
    {S::Draw, "可重复中奖", "0"},
    {S::Draw, "显示奖项中奖清单", "0"},
    {S::Draw, "中奖清单倒序显示", "0"},
    {S::Draw, "显示已中奖清单", "1"},
    {S::Draw, "抽奖间隔", "0"},
    {S::Draw, "默认条件", ""},
    {S::RollSound, "滚动有声音", "1"},
    {S::Positions, "中奖有声音", "1"},
    {S::Positions, "抽奖人追加导入方式", "0"},
    {S::Positions, "位置单位名称X", "128"},
    {S::Positions, "位置单位名称Y", "63"},
    {S::Positions, "位置主标题名称X", "388"},
    {S::Positions, "位置主标题名称Y", "113"},
    {S::Positions, "位置副标题名称X", "295"},
    {S::Positions, "位置副标题名称Y", "176"},
    {S::Positions, "位置滚动栏固定", "1"},
    {S::Positions, "位置滚动栏名称X", "418"},
    {S::Positions, "位置滚动栏名称Y", "365"},
    {S::Positions, "位置放大图X", "418"},
    {S::Positions, "位置放大图Y", "365"},
    {S::Positions, "位置放大图比例", "2.6"},
    {S::Positions, "位置滚动栏名称W", "120"},
    {S::Positions, "位置滚动栏名称H", "30"},
    {S::Positions, "位置滚动栏间隔", "5"},
    {S::Positions, "位置状态栏名称X", "35"},
    {S::Positions, "位置状态栏名称Y", "553"},
    {S::Positions, "位置奖品名称X", "35"},
    {S::Positions, "位置奖品名称Y", "580"},
    {S::Positions, "位置奖品图X", "554"},
    {S::Positions, "位置奖品图Y", "597"},
    {S::Positions, "位置徽标图X", "536"},
    {S::Positions, "位置徽标图Y", "8"},
    {S::Positions, "中奖清单背景图", ""},
};

} // namespace

std::span<const char* const> creationStatements()
{
    return kStatements;
}

std::span<const CreationRow> creationRows()
{
    return kRows;
}

} // namespace varnel::schema
