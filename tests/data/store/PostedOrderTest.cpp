#include "StoreFixture.h"

#include "data/store/DatasetModel.h"
#include "data/store/MemTable.h"

using namespace data;

namespace {

// Where a posted row stands, and what reading does to the order: a grid paints by reading
// values and the current row at any moment, so a read must never move rows or reset the grid.
class PostedOrder : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        for (const auto &[matricula, nome] : {std::pair{10, "BRUNO"}, {20, "CARLA"}, {30, "DIANA"}, {40, "ELIAS"}})
            addAluno(matricula, QString::fromUtf8(nome), QStringLiteral("1G1A"));
    }

    // The rows as a grid sees them, read by position without moving the cursor.
    static QStringList view(const Dataset &ds, const char *field)
    {
        QStringList out;
        for (int i = 0; i < ds.recordCount(); ++i)
            out.append(ds.displayTextAt(i, ds.fieldIndex(field)));
        return out;
    }

    // Everything a grid asks while it paints.
    static void paint(const DatasetModel &model)
    {
        for (int r = 0; r < model.rowCount(); ++r)
            for (int c = 0; c < model.columnCount(); ++c)
                model.data(model.index(r, c));
    }

    static void add(Dataset &ds, int matricula, const char *nome)
    {
        ds.append();
        ds.setValue("MATRICULA", matricula);
        ds.setText("NOME", QString::fromUtf8(nome));
        ds.setText("TURMA", QStringLiteral("1G1A"));
        ds.post();
    }
};

TEST_F(PostedOrder, APostedRowTakesItsPlaceAtOnceAndReadsLeaveTheOrderAlone)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.setIndexName(QStringLiteral("kNome"));
    t.open();
    DatasetModel model(&t);
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelAboutToBeReset, [&] { ++resets; });

    // What a grid and a handler read while the post runs.
    QStringList seenDuringPost;
    int recNoDuringPost = -1;
    int resetsWhileReading = 0;
    t.events.afterPost = [&](Dataset &d) {
        const int before = resets;
        paint(model);
        seenDuringPost = view(d, "NOME");
        recNoDuringPost = d.recNo();
        resetsWhileReading = resets - before;
    };

    t.moveTo(3);
    t.edit();
    t.setText("NOME", QStringLiteral("ANA")); // the order field: ELIAS becomes the first
    EXPECT_EQ(view(t, "NOME"), QStringList({"BRUNO", "CARLA", "DIANA", "ANA"})); // edited in place
    ASSERT_TRUE(t.post());
    const QStringList ordered{"ANA", "BRUNO", "CARLA", "DIANA"};
    EXPECT_EQ(seenDuringPost, ordered);
    EXPECT_EQ(recNoDuringPost, 0);
    EXPECT_EQ(resetsWhileReading, 0);

    const int afterPost = resets;
    for (int i = 0; i < 3; ++i) {
        paint(model);
        EXPECT_EQ(view(t, "NOME"), ordered);
        EXPECT_EQ(t.recNo(), 0);
        EXPECT_EQ(t.asText("NOME"), QStringLiteral("ANA"));
    }
    EXPECT_EQ(resets, afterPost);

    // A new row lands in its place too, and the cursor is on it.
    add(t, 5, "BEATRIZ");
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_EQ(view(t, "NOME"), QStringList({"ANA", "BEATRIZ", "BRUNO", "CARLA", "DIANA"}));
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), QStringLiteral("BEATRIZ"));
    // The place in memory is the place in the database.
    t.refresh();
    EXPECT_EQ(view(t, "NOME"), QStringList({"ANA", "BEATRIZ", "BRUNO", "CARLA", "DIANA"}));
    EXPECT_EQ(t.recNo(), 1);

    // A change of a field outside the order keeps the row where it is.
    t.edit();
    t.setText("SIT", QStringLiteral("B"));
    t.post();
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_EQ(view(t, "NOME")[1], QStringLiteral("BEATRIZ"));
}

TEST_F(PostedOrder, RowsPostedWithGridsDetachedWaitForThemAtTheEnd)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.setIndexName(QStringLiteral("kNome"));
    t.open();
    DatasetModel model(&t);
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelAboutToBeReset, [&] { ++resets; });

    t.disableControls();
    add(t, 50, "ZECA");
    add(t, 60, "AMANDA");
    t.first(); // a move orders them
    EXPECT_EQ(view(t, "NOME"), QStringList({"AMANDA", "BRUNO", "CARLA", "DIANA", "ELIAS", "ZECA"}));
    t.last();
    t.edit();
    t.setText("NOME", QStringLiteral("ABEL"));
    t.post();
    add(t, 70, "CAIO");
    // However often they are read, the rows stay where they were posted.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(view(t, "NOME"), QStringList({"AMANDA", "BRUNO", "CARLA", "DIANA", "ELIAS", "ABEL", "CAIO"}));
        EXPECT_EQ(t.recNo(), 6);
    }
    t.enableControls();
    EXPECT_EQ(view(t, "NOME"), QStringList({"ABEL", "AMANDA", "BRUNO", "CAIO", "CARLA", "DIANA", "ELIAS"}));
    EXPECT_EQ(t.asText("NOME"), QStringLiteral("CAIO"));
    EXPECT_EQ(t.recNo(), 3);
    EXPECT_GE(resets, 1); // the grid learns of it once it is attached again
    const int attached = resets;
    paint(model);
    EXPECT_EQ(resets, attached);
}

TEST_F(PostedOrder, InMemoryTablesKeepTheirOrderTheSameWay)
{
    MemTable m;
    m.addField(QStringLiteral("N"), FieldType::Long);
    m.addField(QStringLiteral("NOME"), FieldType::Text, 10);
    m.setIndexFields(QStringLiteral("N DESC"));
    m.open();
    auto add = [&](int n, const char *nome) {
        m.append();
        m.setValue("N", n);
        m.setText("NOME", QString::fromUtf8(nome));
        m.post();
    };
    add(1, "UM");
    add(3, "TRES");
    add(2, "DOIS");
    EXPECT_EQ(view(m, "N"), QStringList({"3", "2", "1"}));
    EXPECT_EQ(m.asText("NOME"), QStringLiteral("DOIS"));
    add(2, "OUTRO DOIS"); // equal keys keep the order of arrival
    EXPECT_EQ(view(m, "NOME"), QStringList({"TRES", "DOIS", "OUTRO DOIS", "UM"}));
    m.first();
    m.edit();
    m.setValue("N", 0);
    m.post();
    EXPECT_EQ(view(m, "NOME"), QStringList({"DOIS", "OUTRO DOIS", "UM", "TRES"}));
    EXPECT_EQ(m.recNo(), 3);
    m.setIndexFields(QStringLiteral("NOME"));
    EXPECT_EQ(view(m, "NOME"), QStringList({"DOIS", "OUTRO DOIS", "TRES", "UM"}));
    EXPECT_EQ(m.asText("NOME"), QStringLiteral("TRES"));
}

} // namespace
