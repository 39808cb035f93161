<?xml version="1.0" encoding="UTF-8"?>
<!-- The fan plug-in's status document as the view's panel: one row per fan
     with its state, caption, duty as a bar and a number, target temperature,
     tolerance and stop duty. The value cells are bound by id
     (FAN+ZEFAN_FAN_0+TARGET_TEMP ...), so the view's timer refreshes them in
     place; view.js redraws the bars and state marks after each refresh. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>

  <!-- Rows below the header and column heads of view_back.bmp. -->
  <xsl:variable name="firstRow" select="34"/>
  <xsl:variable name="rowHeight" select="25"/>
  <xsl:variable name="barWidth" select="90"/>

  <xsl:template match="/">
    <STYLE>
      body { margin: 0; font-family: "DejaVu Sans", sans-serif; font-size: 11px; color: #e3e8ee; cursor: default; }
      .row { position: absolute; left: 0; width: 376px; height: 25px; line-height: 25px; white-space: nowrap; }
      .row > * { position: absolute; }
      .raw { display: none; }
      .mark { left: 8px; top: 6px; width: 30px; height: 13px; line-height: 13px; border-radius: 7px;
              font-size: 8px; font-weight: bold; text-align: center; }
      .mark.on { background: #38bde4; color: #0a1117; }
      .mark.off { background: #2f3640; color: #848f9d; }
      .cap { left: 44px; width: 82px; overflow: hidden; text-overflow: ellipsis; }
      .track { left: 130px; top: 9px; width: 90px; height: 7px; border-radius: 4px; background: #2f3640;
               overflow: hidden; }
      .fill { height: 7px; border-radius: 4px; background: #38bde4; }
      .off .fill { background: #848f9d; }
      .duty { left: 222px; width: 36px; text-align: right; font-weight: bold; }
      .target { left: 262px; width: 42px; }
      .tol { left: 306px; width: 32px; color: #848f9d; }
      .stop { left: 340px; width: 32px; color: #848f9d; }
      .alarm { color: #ff6b6f; }
      #liveText { position: absolute; left: 236px; top: 0; width: 66px; height: 20px; line-height: 20px;
                  text-align: right; font-size: 9px; font-weight: bold; color: #38bde4; }
      #liveText.paused { color: #848f9d; }
      #none { position: absolute; left: 0; top: 70px; width: 376px; text-align: center; color: #848f9d; }
    </STYLE>
    <DIV ID="liveText">LIVE</DIV>
    <xsl:for-each select="VARN_PLUGIN/FAN/ITEM">
      <xsl:variable name="id" select="concat('FAN+', @NAME, '+')"/>
      <xsl:variable name="on" select="STATUSINFO = '3'"/>
      <xsl:variable name="duty" select="number(substring-before(PWM_DUTYCYCLE, '%'))"/>
      <xsl:variable name="width">
        <xsl:choose>
          <xsl:when test="$duty &gt;= 0 and $duty &lt;= 100"><xsl:value-of select="round($duty * $barWidth div 100)"/></xsl:when>
          <xsl:when test="$duty &gt; 100"><xsl:value-of select="$barWidth"/></xsl:when>
          <xsl:otherwise>0</xsl:otherwise>
        </xsl:choose>
      </xsl:variable>
      <DIV CLASS="row" STYLE="top:{$firstRow + $rowHeight * (position() - 1)}px;">
        <xsl:if test="not($on)"><xsl:attribute name="CLASS">row off</xsl:attribute></xsl:if>
        <SPAN ID="{$id}STATUSINFO" CLASS="raw"><xsl:value-of select="STATUSINFO"/></SPAN>
        <SPAN ID="mark_{@NAME}">
          <xsl:choose>
            <xsl:when test="$on"><xsl:attribute name="CLASS">mark on</xsl:attribute>AUTO</xsl:when>
            <xsl:otherwise><xsl:attribute name="CLASS">mark off</xsl:attribute>OFF</xsl:otherwise>
          </xsl:choose>
        </SPAN>
        <SPAN ID="{$id}CAPTION" CLASS="cap"><xsl:value-of select="CAPTION"/></SPAN>
        <SPAN CLASS="track"><SPAN ID="bar_{@NAME}" CLASS="fill" STYLE="display:block;width:{$width}px;"></SPAN></SPAN>
        <SPAN ID="{$id}PWM_DUTYCYCLE" CLASS="duty"><xsl:value-of select="PWM_DUTYCYCLE"/></SPAN>
        <SPAN CLASS="target"><SPAN ID="{$id}TARGET_TEMP"><xsl:value-of select="TARGET_TEMP"/></SPAN> &#176;C</SPAN>
        <SPAN CLASS="tol">&#177;<SPAN ID="{$id}TOLERANCE_TEMP"><xsl:value-of select="TOLERANCE_TEMP"/></SPAN></SPAN>
        <SPAN ID="{$id}STOP_PWM" CLASS="stop"><xsl:value-of select="STOP_PWM"/></SPAN>
      </DIV>
    </xsl:for-each>
    <xsl:if test="not(VARN_PLUGIN/FAN/ITEM)">
      <DIV ID="none">No fan with automatic control on this board.</DIV>
    </xsl:if>
  </xsl:template>
</xsl:stylesheet>
