<?xml version="1.0" encoding="UTF-8"?>
<!-- One row per fan of the fan plug-in's document; every value cell is bound
     by id, so the view's timer refreshes it in place. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html"/>
  <xsl:template match="/">
    <DIV STYLE="position:absolute;left:8px;top:6px;width:444px;color:#ffffff;font:12px sans-serif;">
      <DIV STYLE="font-weight:bold;margin-bottom:4px;">Fans</DIV>
      <TABLE STYLE="width:100%;color:#ffffff;font:12px sans-serif;">
        <xsl:for-each select="VARN_PLUGIN/FAN/ITEM">
          <xsl:variable name="id" select="concat('FAN+', @NAME, '+')"/>
          <TR>
            <TD ID="{$id}CAPTION"><xsl:value-of select="CAPTION"/></TD>
            <TD ID="{$id}PWM_DUTYCYCLE"><xsl:value-of select="PWM_DUTYCYCLE"/></TD>
            <TD ID="{$id}TARGET_TEMP"><xsl:value-of select="TARGET_TEMP"/></TD>
            <TD ID="{$id}STATUSINFO"><xsl:value-of select="STATUSINFO"/></TD>
          </TR>
        </xsl:for-each>
      </TABLE>
    </DIV>
  </xsl:template>
</xsl:stylesheet>
