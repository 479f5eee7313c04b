/* Resource ids of Tidewar, one range per kind. Plain defines: read by windres and by C++.
   A language's resource is its Russian id plus 100 x Language (0 Russian, 1 English, 2 German). */
#ifndef TIDEWAR_RESOURCE_H
#define TIDEWAR_RESOURCE_H

/* Bitmaps: ship pictures (vertical 10-13, horizontal 20-23, by decks 1-4) and the scene. */
#define IDB_SHIP_VERTICAL_1     10
#define IDB_SHIP_VERTICAL_2     11
#define IDB_SHIP_VERTICAL_3     12
#define IDB_SHIP_VERTICAL_4     13
#define IDB_SHIP_HORIZONTAL_1   20
#define IDB_SHIP_HORIZONTAL_2   21
#define IDB_SHIP_HORIZONTAL_3   22
#define IDB_SHIP_HORIZONTAL_4   23
#define IDB_CELL                30
#define IDB_HIT                 35
#define IDB_MISS                40
#define IDB_BACKGROUND          45
#define IDB_PLACEMENT_PANEL     50
#define IDB_BATTLE_PANEL        55
#define IDB_BLANK_CELL          60
#define IDB_SUNK                65
#define IDB_DEAD_ZONE           70

/* Menus (Russian ids). */
#define IDM_MAIN                50

/* Dialogs (Russian ids). */
#define IDD_SKILL_PAGE          20
#define IDD_ADJUST_PAGE         30
#define IDD_STATISTICS          40
#define IDD_ABOUT               50
#define IDD_MUSIC_PAGE          60
#define IDD_SKIN_PAGE           70
#define IDD_NETWORK             80
#define IDD_RECORDS             90

/* Commands of the main menu and the accelerators. */
#define CMD_NEW_GAME            100
#define CMD_EXIT                101
#define CMD_HELP                102
#define CMD_ABOUT               103
#define CMD_OPTIONS             104
#define CMD_STATISTICS          105
#define CMD_NETWORK_GAME        106
#define CMD_RANDOM_FLEET        107
#define CMD_RUSSIAN             108
#define CMD_ENGLISH             109
#define CMD_GERMAN              110
#define CMD_NORMAL_SIZE         111
#define CMD_DOUBLE_SIZE         112
#define CMD_TRIPLE_SIZE         113
#define CMD_DISPLAY_SIZE        114
#define CMD_FULL_SCREEN         115
#define CMD_RECORDS             116

/* Strings (Russian ids). */
#define IDS_MISS                100
#define IDS_HIT                 101
#define IDS_WIN_LEVEL1          102
#define IDS_COMPUTER_WINS       103
#define IDS_WIN_LEVEL2          104
#define IDS_WIN_LEVEL3          105
#define IDS_SUNK                106
#define IDS_TITLE               150
#define IDS_OPTIONS_CAPTION     160
#define IDS_VICTORY_CAPTION     170
#define IDS_LOST_TEXT           171
#define IDS_WON_TEXT            172
#define IDS_DEFEAT_CAPTION      173
#define IDS_NO_MUSIC            180
#define IDS_STANDARD_SKIN       190
#define IDS_START_HINT          130
#define IDS_ABANDON_CAPTION     131
#define IDS_ABANDON_QUESTION    132
#define IDS_PLACING_HINT        133

/* The network game (Russian ids): the dialog's lines, the band above the boards, the ends.
   The reasons a game stopped follow IDS_NET_STOPPED in the order of NetworkEnd. */
#define IDS_NET_RECORD          107
#define IDS_NET_WAITING         108
#define IDS_NET_CONNECTING      109
#define IDS_NET_NO_LISTEN       110
#define IDS_NET_NO_JOIN         111
#define IDS_NET_BAD_NAME        112
#define IDS_NET_BAD_PORT        113
#define IDS_NET_PARTNER_PLACING 114
#define IDS_NET_PARTNER         115
#define IDS_NET_WON_TEXT        116
#define IDS_NET_LOST_TEXT       117
#define IDS_NET_STOP_CAPTION    118
#define IDS_NET_STOPPED         119
#define IDS_NET_SOMEONE         127
#define IDS_NET_CONNECTED       128
#define IDS_NET_OVERDUE         129
/* Another game with the same partner: the end box's question, the band while the partner
   answers, and the stop when it says no. */
#define IDS_NET_AGAIN_QUESTION  140
#define IDS_NET_AGAIN_WAITING   141
#define IDS_NET_DECLINED        142

/* The records of each level (Russian ids): the table's column and rows, the chart's legend,
   the clearing question, and the end box's line of a new fewest. */
#define IDS_RECORD_LEVEL        161
#define IDS_RECORD_WON          162
#define IDS_RECORD_LOST         163
#define IDS_RECORD_FEWEST       164
#define IDS_RECORD_ACCURACY     165
#define IDS_RECORD_LONGEST_RUN  166
#define IDS_RECORD_CURRENT_RUN  167
#define IDS_RECORD_WON_MARK     168
#define IDS_RECORD_LOST_MARK    169
#define IDS_NEW_RECORD          174
#define IDS_CLEAR_RECORDS       175

/* A skin library names itself with string 150 x (Language + 1). */
#define IDS_SKIN_NAME           150

/* Cursor of the About box links. */
#define IDR_HAND_CURSOR         50

/* The About box: its controls, and the message of a missing help file (Russian id). */
#define IDC_ABOUT_LOGO          10
#define IDC_ABOUT_MAKER         10
#define IDC_ABOUT_OK            106
#define IDC_MAIL_LINK           400
#define IDC_WEB_LINK            401
#define IDS_HELP_MISSING        195

/* Controls of the options pages and the statistics. */
#define IDC_STATIC              (-1)
#define IDC_STATISTICS_OK       106
#define IDC_STATISTICS_RESET    107
#define IDC_SKILL_1             201
#define IDC_SKILL_2             202
#define IDC_SKILL_3             203
#define IDC_SOUND_ON            301
#define IDC_SOUND_OFF           302
#define IDC_MARK_DEAD_SHIPS     303
#define IDC_MARK_DEAD_ZONE      304
#define IDC_WINS_TEXT           501
#define IDC_LOSSES_TEXT         502
#define IDC_TOTAL_TEXT          503
#define IDC_SHOW_DECKS          504
#define IDC_SHOW_SHIPS          505
#define IDC_MUSIC_LIST          601
#define IDC_SKIN_LIST           602
#define IDC_NET_HOST            701
#define IDC_NET_JOIN            702
#define IDC_NET_THIS_COMPUTER   703
#define IDC_NET_HOST_NAME       704
#define IDC_NET_PORT            705
#define IDC_NET_NAME            706
#define IDC_NET_RECORD          707
#define IDC_NET_STATUS          708
#define IDC_NET_GAMES           709
#define IDC_RECORDS_TABLE       801
#define IDC_RECORDS_CHART       802
#define IDC_RECORDS_CLEAR       803
#define IDC_RECORDS_CHART_TITLE 804

#endif
