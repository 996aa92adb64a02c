// The port and interrupt tables: each port's base and line, its partner button, and the
// values that have no button at all.
#include <gtest/gtest.h>
#include "port_table.h"
#include "resource.h"

namespace {

TEST(PortTable, EachPortCarriesItsBaseLineAndTheButtonOfThatLine)
{
    const struct { int button; const char *map; DWORD port, base, irq; int irqButton; } rows[] = {
        { IDC_COM1, "COM1", 1, 0x3F8, 4, IDC_IRQ4 },
        { IDC_COM2, "COM2", 2, 0x2F8, 3, IDC_IRQ3 },
        { IDC_COM3, "COM3", 3, 0x378, 7, IDC_IRQ7 },
        { IDC_COM4, "COM4", 4, 0x278, 5, IDC_IRQ5 },
    };
    for (const auto &want : rows) {
        SCOPED_TRACE(want.map);
        const PortTableRow *row = PortRowOfButton(want.button);
        ASSERT_TRUE(row != NULL);
        EXPECT_EQ(row, PortRowOfPort(want.port));
        EXPECT_STREQ(want.map, row->mapName);
        EXPECT_EQ(want.base, row->comBase);
        EXPECT_EQ(want.irq, row->comIrq);
        EXPECT_EQ(want.irqButton, row->irqButton);
        // The partner is the very button the interrupt table gives that line.
        EXPECT_EQ(want.irqButton, IrqButtonOf(want.irq));
        EXPECT_EQ(want.irq, IrqOfButton(want.irqButton));
        EXPECT_EQ(want.button, PortButtonOf(want.port));
    }
}

TEST(PortTable, ValuesOutsideTheTablesHaveNoButton)
{
    for (DWORD port : { 0u, 5u, 9u, 0xFFFFFFFFu }) {
        EXPECT_EQ(0, PortButtonOf(port)) << port;
        EXPECT_TRUE(PortRowOfPort(port) == NULL) << port;
    }
    for (DWORD irq : { 0u, 1u, 2u, 6u, 8u, 0xFFFFFFFFu })
        EXPECT_EQ(0, IrqButtonOf(irq)) << irq;
    // The two groups never stand in for each other, and a notification is not a click.
    for (int id : { IDC_IRQ4, IDC_IRQ7, IDC_NEXT, 0, (int)MAKEWPARAM(IDC_COM1, BN_DOUBLECLICKED) })
        EXPECT_TRUE(PortRowOfButton(id) == NULL) << id;
    for (int id : { IDC_COM1, IDC_COM4, IDC_BACK, 0, (int)MAKEWPARAM(IDC_IRQ3, BN_DOUBLECLICKED) })
        EXPECT_EQ(0u, IrqOfButton(id)) << id;
}

} // namespace
