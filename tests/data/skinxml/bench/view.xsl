<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>
  <xsl:template match="/">
    <DIV ID="view" STYLE="position:absolute;top:40px;left:20px;">
      <xsl:apply-templates select="VARN_PLUGIN/*"/>
    </DIV>
  </xsl:template>
  <xsl:template match="VARN_PLUGIN/*">
    <TABLE CLASS="{name()}">
      <xsl:for-each select="ITEM">
        <TR>
          <TD><xsl:value-of select="@NAME"/></TD>
          <TD ID="{name(..)}+{@NAME}+PWM_DUTYCYCLE"><xsl:value-of select="PWM_DUTYCYCLE"/></TD>
          <TD ID="{name(..)}+{@NAME}+TARGET"><xsl:value-of select="TARGET"/></TD>
          <TD ID="{name(..)}+{@NAME}+STATUSINFO"><xsl:value-of select="STATUSINFO"/></TD>
        </TR>
      </xsl:for-each>
    </TABLE>
  </xsl:template>
</xsl:stylesheet>
