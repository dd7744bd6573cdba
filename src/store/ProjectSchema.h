#pragma once

#include <span>

namespace varnel::schema {

// The statements that make the tables of the current format (4.1).
inline constexpr const char* kCreateZSet =
    "create table z_set(id INTEGER PRIMARY KEY,[name] varchar,[var] varchar,[beizhu] "
    "varchar,[Pic] Blob)";
inline constexpr const char* kCreateZUser =
    "create table z_user([NO] Int,[List] varchar,[Memo] varchar,[TJ] Int,[PicB] varchar,[Pic] "
    "Blob)";
inline constexpr const char* kCreateUserIndex = "create index user_list on z_user(NO,tj)";
inline constexpr const char* kCreateZzUser = "create table zz_user([NO] Int)";
inline constexpr const char* kCreateZScuser =
    "create table z_scuser([NO] Int,[List] varchar,[sl] Int,[sysl] Int,[TJ] Int,[PicB] "
    "varchar,[Pic] Blob)";
inline constexpr const char* kCreateZJx =
    "create table z_jx([NO] Int,[JXname] varchar,[JPname] varchar,[JPjpg] varchar,[BJjpg] "
    "varchar,[JXcount] int,[CQcount] int,[TJ] varchar,[Pic] Blob,[Bj] Blob,[lblCount] "
    "int,[lblJG] int,[lblW] int,[lblH] int,[lblFont] varchar)";
inline constexpr const char* kCreateZLog =
    "create table z_log([XNO] Int,[NO] Int,[JXname] varchar,[JPname] varchar,[JPjpg] "
    "varchar,[indx] int,[count] int,[CQcount] int,[TJ] varchar,[ZT] varchar)";
inline constexpr const char* kCreateLog =
    "create table log([XNO] Int,[NO] Int,[JXname] varchar,[JPname] varchar,[JPjpg] "
    "varchar,[indx] int,[count] int,[CQcount] int,[TJ] varchar,[ZT] varchar)";
inline constexpr const char* kCreateZZj =
    "create table z_zj([ListNO] Int,[scuserNO] Int,[ListZJ] varchar,[ListBZ] varchar,[JXname] "
    "varchar,[LJ] Int,[BZ] varchar)";

// In the order a new project makes them.
std::span<const char* const> creationStatements();

// The plain settings rows of a new project, in the order they are inserted. The rows that
// carry bytes (preview, background, the two sounds) are inserted between the stages.
enum class CreationStage {
    Display,   // before "抽奖界面预览" and "抽奖界面背景图"
    Draw,      // before "滚动声音"
    RollSound, // before "中奖声音"
    Positions, // last
};

struct CreationRow {
    CreationStage stage;
    const char* name;
    const char* var;
};

std::span<const CreationRow> creationRows();

} // namespace varnel::schema
