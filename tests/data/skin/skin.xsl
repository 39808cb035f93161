<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" omit-xml-declaration="yes"/>
  <xsl:template match="/">
    <DIV ID="frame" STYLE="position:absolute;top:4px;left:120px;color:#fff;">
      <xsl:value-of select="name(*)"/>
    </DIV>
  </xsl:template>
</xsl:stylesheet>
